// Small helpers of the report tests: real files in temporary folders, saving and its failures, and
// running a test program again as an unprivileged user (permission bits mean nothing to root).
#pragma once

#include "Errors.h"
#include "RecordingInteraction.h"
#include "ScopedCurrentFolder.h"
#include "TextFile.h"
#include "Unit1.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace reporttest {

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot read ") + QFile::encodeName(path) + '>';
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The names in a folder, hidden ones included: a failed save must leave no temporary file.
inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Made absolute when the program starts: under Wine a path without a drive would follow the
// working folder's drive, which the viewer's tests change.
inline const QString testDataFolder = QFileInfo(QStringLiteral(WELD_REPORT_TEST_DATA)).absoluteFilePath();

inline QString testDataPath(const QString &name)
{
    return testDataFolder + QLatin1Char('/') + name;
}

// Runs `save` against the target and returns the message of the InOutError it raised, or a
// text saying that none was raised.
template <typename Save>
QString failureOf(Save save)
{
    try {
        save();
    } catch (const InOutError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

inline void saveText(const QString &path, const QByteArray &latinText = QByteArray(100000, 'x'))
{
    TextFileWriter file(path);
    file.write(QString::fromLatin1(latinText));
    file.commit();
}

inline const QByteArray original = "the user's file\r\n";

#ifdef Q_OS_UNIX
inline struct stat statusOf(const QString &path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

#endif

// The environment variable that hands the in-place child the folder its parent prepared.
inline const char *inPlaceFixtureVariable = "WELD_IN_PLACE_FIXTURE";

#ifdef Q_OS_UNIX
inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// The environment variable that tells a test program it was started as the unprivileged user.
inline const char *unprivilegedMarker()
{
    return "WELD_TEST_UNPRIVILEGED";
}

struct ChildRun
{
    bool started = false;
    int exitCode = -1;
    QString output;
};

// Runs `program` (by default this test program) again as user and group 65534 (nobody) through
// setpriv, with `extraEnvironment` added to its environment.
inline ChildRun runUnprivileged(const QString &program = QCoreApplication::applicationFilePath(),
                                const QProcessEnvironment &extraEnvironment = {})
{
    ChildRun run;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return run;
    // A copy in /tmp, outside the build folder and the temporary folder of root, which the
    // unprivileged user may not be able to enter.
    static QTemporaryDir copyFolder(QStringLiteral("/tmp/weld-unprivileged-XXXXXX"));
    const QString copy = copyFolder.filePath(QFileInfo(program).fileName());
    if (!QFile::exists(copy)) {
        if (!copyFolder.isValid() || !QFile::copy(program, copy))
            return run;
        QFile::setPermissions(copyFolder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                    | QFile::ReadOther | QFile::ExeOther
                                                    | QFile::ReadGroup | QFile::ExeGroup);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                        | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(unprivilegedMarker()), QStringLiteral("1"));
    environment.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    for (const QString &name : extraEnvironment.keys())
        environment.insert(name, extraEnvironment.value(name));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                          QStringLiteral("--clear-groups"), copy});
    if (!child.waitForStarted(10000))
        return run;
    child.waitForFinished(120000);
    run.started = true;
    run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.output = QString::fromLocal8Bit(child.readAll());
    return run;
}
#endif

// What the viewer's tests share: a fresh viewer as the global Form1, a recording interaction that
// answers its dialogs, and a folder for the files of one test, emptied after each. The folder is
// the working folder too, so that a file written under a dialog's bare proposed name shows there.
class ViewerFixture
{
protected:
    void setUpViewer()
    {
        m_interaction = std::make_unique<RecordingInteraction>();
        m_viewer = std::make_unique<TForm1>();
        Form1 = m_viewer.get();
        m_inFolder.emplace(m_folder.path());
    }
    void tearDownViewer()
    {
        m_inFolder.reset();
        Form1 = nullptr;
        m_viewer.reset();
        m_interaction.reset();
        for (const QString &entry : entriesOf(m_folder.path()))
            QFile::remove(path(entry));
    }
    QString path(const QString &name) const { return m_folder.filePath(name); }

    std::unique_ptr<TForm1> m_viewer;
    std::unique_ptr<RecordingInteraction> m_interaction;
    QTemporaryDir m_folder;
    std::optional<ScopedCurrentFolder> m_inFolder;
};

} // namespace reporttest
