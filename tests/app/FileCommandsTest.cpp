// The main window's Open and Save As on the viewer's text, from the menu and from the tool bar.
#include "FileHelpers.h"
#include "MainForm.h"
#include "ProgramWindows.h"
#include "RecordingInteraction.h"
#include "SpeedButton.h"
#include "Unit1.h"

#include <QAction>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <optional>

using namespace reporttest;

using Command = std::function<void()>;
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(FileDialogRequest::Mode)

namespace {

Command openCommand(const char *how)
{
    if (qstrcmp(how, "menu") == 0)
        return [] { MainForm->FileOpenItem->trigger(); };
    return [] { MainForm->SpeedButton1->click(); };
}

Command saveAsCommand(const char *how)
{
    if (qstrcmp(how, "menu") == 0)
        return [] { MainForm->FileSaveAsItem->trigger(); };
    return [] { MainForm->SpeedButton2->click(); };
}

void addCommandRows()
{
    QTest::addColumn<Command>("open");
    QTest::addColumn<Command>("saveAs");
    for (const char *how : {"menu", "tool bar"})
        QTest::newRow(how) << openCommand(how) << saveAsCommand(how);
}

} // namespace

class FileCommandsTest : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &name) const { return m_folder.filePath(name); }
    QString confirmation(const QString &name) const
    {
        return QStringLiteral("Записано в файл  ") + QDir::toNativeSeparators(path(name));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_folder.isValid());
        m_interaction = std::make_unique<RecordingInteraction>();
        m_windows = std::make_unique<ProgramWindows>();
        // A file written under a dialog's bare proposed name would show in the test's folder.
        m_inFolder.emplace(m_folder.path());
    }
    void cleanup()
    {
        m_inFolder.reset();
        m_windows.reset();
        m_interaction.reset();
        for (const QString &entry : entriesOf(m_folder.path()))
            QFile::remove(path(entry));
    }

    void openLoadsAndShowsTheViewer_data() { addCommandRows(); }
    void openLoadsAndShowsTheViewer()
    {
        QFETCH(Command, open);
        QVERIFY(writeBytes(path("in.txt"), "one\r\ntwo"));
        m_interaction->answerFileDialog(path("in.txt"));
        open();
        QVERIFY(m_interaction->boxes.isEmpty());
        QCOMPARE(Form1->RichEdit1->toPlainText(), QString("one\ntwo"));
        QVERIFY(Form1->isVisible());
        QVERIFY(!Form1->SpeedButton2->isHidden());
    }

    void failedOpenLeavesTheViewerHiddenAndAsItWas()
    {
        Form1->RichEdit1->setPlainText("kept");
        Form1->SpeedButton2->hide();
        QVERIFY(writeBytes(path("binary.doc"), QByteArray("text\0more", 9)));
        m_interaction->answerFileDialog(path("binary.doc"));
        MainForm->FileOpenItem->trigger();
        QCOMPARE(m_interaction->errors(), QStringList{"Failed to Load Stream."});
        QCOMPARE(Form1->RichEdit1->toPlainText(), QString("kept"));
        QVERIFY(Form1->SpeedButton2->isHidden());
        QVERIFY(!Form1->isVisible());
    }

    void saveAsWritesTheViewersTextAndConfirms_data() { addCommandRows(); }
    void saveAsWritesTheViewersTextAndConfirms()
    {
        QFETCH(Command, saveAs);
        Form1->RichEdit1->setPlainText("first\nвторая");
        m_interaction->answerFileDialog(path("out.txt"));
        saveAs();
        QCOMPARE(m_interaction->messages(), QStringList{confirmation("out.txt")});
        QCOMPARE(readBytes(path("out.txt")), QByteArray("first\r\n\xe2\xf2\xee\xf0\xe0\xff"));
        QVERIFY(!Form1->isVisible()); // saving does not show the viewer
    }

    void cancelledCommandsDoNothing_data() { addCommandRows(); }
    void cancelledCommandsDoNothing()
    {
        QFETCH(Command, open);
        QFETCH(Command, saveAs);
        Form1->RichEdit1->setPlainText("kept");
        Form1->SpeedButton2->hide();
        open();
        saveAs();
        QCOMPARE(m_interaction->dialogs.size(), 2);
        QVERIFY(m_interaction->boxes.isEmpty());
        QCOMPARE(Form1->RichEdit1->toPlainText(), QString("kept"));
        QVERIFY(Form1->SpeedButton2->isHidden());
        QVERIFY(!Form1->isVisible());
        QVERIFY(entriesOf(m_folder.path()).isEmpty());
        QCOMPARE(MainForm->OpenDialog.fileName(), QString());
        QCOMPARE(MainForm->SaveDialog.fileName(), QString("Св.шов№__"));
    }

    // What each dialog is asked to be; the entries of their type lists, as the user sees them in
    // the real dialogs, are checked with Qt's Russian texts.
    void dialogsAsTheCommandsMeetThem_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<FileDialogRequest::Mode>("mode");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("defaultSuffix");
        QTest::addColumn<QString>("proposedName");
        QTest::newRow("open") << openCommand("menu") << FileDialogRequest::Mode::Open << 5 << QString() << QString();
        QTest::newRow("save as") << saveAsCommand("menu") << FileDialogRequest::Mode::Save << 6 << "txt"
                                 << "Св.шов№__";
        QTest::newRow("viewer's save") << Command([] { Form1->SpeedButton2->click(); })
                                       << FileDialogRequest::Mode::Save << 6 << "txt" << "Св.шов№__";
    }
    void dialogsAsTheCommandsMeetThem()
    {
        QFETCH(Command, command);
        QFETCH(FileDialogRequest::Mode, mode);
        QFETCH(int, entries);
        QFETCH(QString, defaultSuffix);
        QFETCH(QString, proposedName);
        command();
        QCOMPARE(m_interaction->dialogs.size(), 1);
        const FileDialogRequest &request = m_interaction->dialogs.front();
        QCOMPARE(request.mode, mode);
        QCOMPARE(request.nameFilters.size(), entries);
        QCOMPARE(request.defaultSuffix, defaultSuffix);
        QCOMPARE(request.proposedName, proposedName);
    }

    // The main window's two dialogs and the viewer's own are three objects, each remembering the
    // name last accepted in it, a missing file included.
    void eachDialogRemembersItsOwnName()
    {
        QVERIFY(writeBytes(path("opened.txt"), "text"));
        m_interaction->answerFileDialog(path("opened.txt"));
        MainForm->FileOpenItem->trigger();
        m_interaction->answerFileDialog(path("main.txt"));
        MainForm->FileSaveAsItem->trigger();
        m_interaction->answerFileDialog(path("viewer.txt"));
        Form1->SpeedButton2->click();
        m_interaction->answerFileDialog(path("gone.txt"));
        MainForm->FileOpenItem->trigger();
        QCOMPARE(m_interaction->errors().size(), 1); // the missing file

        MainForm->FileSaveAsItem->trigger();
        Form1->SpeedButton2->click();
        MainForm->FileOpenItem->trigger();
        QCOMPARE(m_interaction->dialogs.size(), 7);
        QCOMPARE(m_interaction->dialogs[3].proposedName, path("opened.txt"));
        QCOMPARE(m_interaction->dialogs[4].proposedName, path("main.txt"));
        QCOMPARE(m_interaction->dialogs[5].proposedName, path("viewer.txt"));
        QCOMPARE(m_interaction->dialogs[6].proposedName, path("gone.txt"));
    }

private:
    QTemporaryDir m_folder;
    std::optional<ScopedCurrentFolder> m_inFolder;
    std::unique_ptr<RecordingInteraction> m_interaction;
    std::unique_ptr<ProgramWindows> m_windows;
};

QTEST_MAIN(FileCommandsTest)

#include "FileCommandsTest.moc"
