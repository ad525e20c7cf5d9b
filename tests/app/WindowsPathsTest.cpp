// Windows' own paths and failures through the program's three saves and the viewer's Open: Cyrillic
// folders, a path beyond MAX_PATH, a file another program holds without sharing, and names that
// end in a dot or a space.
#include "About.h"
#include "Cp1251.h"
#include "FileHelpers.h"
#include "MainForm.h"
#include "ProgramWindows.h"
#include "RecordingInteraction.h"
#include "SpeedButton.h"
#include "Unit1.h"
#include "Unit3.h"
#include "ViewerText.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <optional>
#include <utility>

using namespace reporttest;

namespace {

enum class Save { Report, Viewer, About };

// The file held open by another process, hold_file_child, until this ends.
class HeldFile
{
public:
    explicit HeldFile(const QString &path)
    {
        m_child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/hold_file_child.exe"),
                      {QDir::toNativeSeparators(path)});
        m_held = m_child.waitForReadyRead(30000) && m_child.readLine().trimmed() == "held";
    }
    ~HeldFile()
    {
        m_child.closeWriteChannel();
        if (!m_child.waitForFinished(30000))
            m_child.kill();
    }
    bool held() const { return m_held; }

private:
    QProcess m_child;
    bool m_held = false;
};

// Eighty Cyrillic letters: three such folders take a path well past MAX_PATH, and each stays
// within the 255 bytes a Linux name may have.
QString longFolderName(QChar letter)
{
    return QString(79, letter) + QStringLiteral("ы");
}

} // namespace

Q_DECLARE_METATYPE(Save)

class WindowsPathsTest : public QObject
{
    Q_OBJECT

private:
    void save(Save how)
    {
        switch (how) {
        case Save::Report:
            MainForm->Frame31->Button9->click();
            break;
        case Save::Viewer:
            Form1->SpeedButton2->click();
            break;
        case Save::About:
            AboutBox->SpeedButton1->click();
            break;
        }
    }

    static QByteArray memoBytes()
    {
        QByteArray bytes;
        for (const QString &line : AboutBox->Memo1->toPlainText().split(QLatin1Char('\n')))
            bytes += encodeCp1251(line) + "\r\n";
        return bytes;
    }

    static QByteArray viewerBytes() { return encodeCp1251(viewerPlainText(*Form1->RichEdit1->document())); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_folder.isValid());
        m_interaction = std::make_unique<RecordingInteraction>();
        m_windows = std::make_unique<ProgramWindows>();
    }
    void cleanup()
    {
        m_windows.reset();
        m_interaction.reset();
    }

    // Each case through each save; `written` is the name that must be written, empty where the
    // save must fail with `error` and leave everything as it was.
    void savesAndOpensBack_data()
    {
        QTest::addColumn<Save>("how");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("error");
        const QString longPath = longFolderName(QChar(0x0420)) + u'/' + longFolderName(QChar(0x0421)) + u'/'
                                 + longFolderName(QChar(0x0422)) + QStringLiteral("/Св.шов№2.txt");
        const std::pair<const char *, Save> saves[] = {
            {"report", Save::Report}, {"viewer", Save::Viewer}, {"About", Save::About}};
        for (const auto &[saveName, how] : saves) {
            const auto row = [&](const char *what) -> QTestData & {
                return QTest::addRow("%s: %s", saveName, what);
            };
            const QString cyrillic = QStringLiteral("Отчеты отдела/Узел К-3/Св.шов№1.txt");
            row("Cyrillic folders") << how << cyrillic << false << cyrillic << QString();
            row("path beyond MAX_PATH") << how << longPath << false << longPath << QString();
            row("held by another program") << how << QStringLiteral("Занят.txt") << true << QString()
                                           << QStringLiteral("I/O error 32.");
            row("name ending in a dot") << how << QStringLiteral("Отчет.") << false << QString()
                                        << QStringLiteral("Invalid filename.");
            // The About window adds ".txt" to a name without a dot, which makes it a valid name.
            if (how == Save::About)
                row("name ending in a space") << how << QStringLiteral("Отчет ") << false
                                              << QStringLiteral("Отчет .txt") << QString();
            else
                row("name ending in a space") << how << QStringLiteral("Отчет ") << false << QString()
                                              << QStringLiteral("Invalid filename.");
        }
    }
    void savesAndOpensBack()
    {
        QFETCH(Save, how);
        QFETCH(QString, name);
        QFETCH(bool, held);
        QFETCH(QString, written);
        QFETCH(QString, error);
        const QString path = m_folder.path() + u'/' + name;
        const QString folder = QFileInfo(path).path();
        QVERIFY(QDir().mkpath(folder));
        Form1->RichEdit1->setPlainText(QStringLiteral("Текст в окне просмотра\nвторая строка"));
        const QByteArray viewerBefore = viewerBytes();
        std::optional<HeldFile> holder;
        if (held) {
            QVERIFY(writeBytes(path, original));
            holder.emplace(path);
            QVERIFY(holder->held());
        }
        const QStringList entriesBefore = entriesOf(folder);
        const QByteArray expected = how == Save::About ? memoBytes() : viewerBefore;

        m_interaction->answerFileDialog(path);
        save(how);
        if (!error.isEmpty()) {
            qInfo("%s: %s", QTest::currentDataTag(), qPrintable(m_interaction->errors().join(u'|')));
            QCOMPARE(m_interaction->errors(), QStringList{error});
            QVERIFY(m_interaction->messages().isEmpty());
            QCOMPARE(entriesOf(folder), entriesBefore);
            QCOMPARE(viewerBytes(), viewerBefore);
            holder.reset();
            if (held)
                QCOMPARE(readBytes(path), original);
            return;
        }
        QVERIFY2(m_interaction->errors().isEmpty(), qPrintable(m_interaction->errors().join(u'|')));
        const QString file = m_folder.path() + u'/' + written;
        const QByteArray bytes = readBytes(file);
        if (how == Save::Report) {
            // The report goes into the viewer as written.
            QCOMPARE(bytes.count("\r\n"), 63);
            QCOMPARE(viewerBytes(), bytes);
        } else {
            QCOMPARE(m_interaction->messages(),
                     QStringList{QStringLiteral("Записано в файл  ") + QDir::toNativeSeparators(file)});
            QCOMPARE(bytes, expected);
        }
        qInfo("%s: saved, %lld bytes", QTest::currentDataTag(), qint64(bytes.size()));

        // And back through the main window's Open.
        Form1->RichEdit1->setPlainText(QStringLiteral("другой текст"));
        m_interaction->answerFileDialog(file);
        MainForm->FileOpenItem->trigger();
        QVERIFY2(m_interaction->errors().isEmpty(), qPrintable(m_interaction->errors().join(u'|')));
        QCOMPARE(viewerBytes(), bytes);
    }

    // Opening a file that another program holds fails with the system's reason, and changes nothing.
    void openingAHeldFileFailsWithTheSystemsReason()
    {
        const QString path = m_folder.filePath(QStringLiteral("Занят.txt"));
        QVERIFY(writeBytes(path, original));
        HeldFile holder(path);
        QVERIFY(holder.held());
        Form1->RichEdit1->setPlainText(QStringLiteral("прежний текст"));
        m_interaction->answerFileDialog(path);
        MainForm->FileOpenItem->trigger();
        qInfo("%s", qPrintable(m_interaction->errors().join(u'|')));
        QCOMPARE(m_interaction->errors().size(), 1);
        QVERIFY(m_interaction->errors().front().startsWith(
            QStringLiteral("Cannot open file \"") + QDir::toNativeSeparators(path) + QStringLiteral("\". ")));
        QCOMPARE(Form1->RichEdit1->toPlainText(), QStringLiteral("прежний текст"));
        QVERIFY(!Form1->isVisible());
    }

private:
    QTemporaryDir m_folder{QDir::tempPath() + QStringLiteral("/Сварной шов-XXXXXX")};
    std::unique_ptr<RecordingInteraction> m_interaction;
    std::unique_ptr<ProgramWindows> m_windows;
};

QTEST_MAIN(WindowsPathsTest)

#include "WindowsPathsTest.moc"
