// Tests of the text-file output that depend on permission bits, run as an unprivileged user.
#include "Errors.h"
#include "FileHelpers.h"
#include "TextFile.h"
#include "ViewerText.h"

#include <QApplication>
#include <QFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

using namespace reporttest;

// The cases that depend on permission bits. Root ignores them, so a program run by root does not
// run this class itself but has UnprivilegedTextFileTest start this program as user nobody.
class PermissionTextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedWithoutAccess_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<bool>("readOnlyFile");
        QTest::addColumn<QString>("target");
        QTest::newRow("new file in a read-only folder") << true << false << "new.txt";
        QTest::newRow("read-only existing file") << false << true << "report.txt";
    }
    void refusedWithoutAccess()
    {
        QFETCH(bool, readOnlyFolder);
        QFETCH(bool, readOnlyFile);
        QFETCH(QString, target);
        QTemporaryDir folder;
        const QString existing = folder.filePath("report.txt");
        QVERIFY(writeBytes(existing, original));
        const QByteArray folderName = QFile::encodeName(folder.path());
        if (readOnlyFile)
            QVERIFY(::chmod(QFile::encodeName(existing).constData(), 0444) == 0);
        if (readOnlyFolder)
            QVERIFY(::chmod(folderName.constData(), 0555) == 0);
        const QString message = failureOf([&] { saveText(folder.filePath(target)); });
        ::chmod(folderName.constData(), 0755);
        QCOMPARE(message, QStringLiteral("File access denied"));
        QCOMPARE(readBytes(existing), original);
        QCOMPARE(entriesOf(folder.path()), QStringList{"report.txt"});
    }

    void unreadableFileCannotBeOpened()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("secret.txt");
        QVERIFY(writeBytes(path, original));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0200) == 0);
        QString message;
        try {
            readViewerDocument(path, QFont());
        } catch (const LoadError &error) {
            message = error.message();
        }
        QCOMPARE(message, "Cannot open file \"" + QDir::toNativeSeparators(path) + "\". "
                              + qt_error_string(EACCES));
    }
};

class UnprivilegedTextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void permissionCasesAsNobody()
    {
        const ChildRun run = runUnprivileged();
        if (!run.started || run.exitCode == 126 || run.exitCode == 127)
            QSKIP(qPrintable("cannot run a child as nobody here: " + run.output));
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        // Passed, not skipped: the child really ran as an unprivileged user.
        QVERIFY2(run.output.contains(QRegularExpression("Totals: [1-9]\\d* passed, 0 failed, 0 skipped")),
                 qPrintable(run.output));
    }
};

// Root runs the class that starts this program again as nobody; anyone else runs the cases.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    if (runningAsRoot()) {
        UnprivilegedTextFileTest test;
        return QTest::qExec(&test, argc, argv);
    }
    PermissionTextFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TextFilePermissionsTest.moc"
