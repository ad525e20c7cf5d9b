// The program keeps nothing between runs: after each of its file dialogs, answered in the real
// dialog as a user would, and the windows closed, the only file left is the one the user named;
// no settings file, and on Windows no registry key.
#include "About.h"
#include "MainForm.h"
#include "ProgramWindows.h"
#include "SpeedButton.h"
#include "Unit1.h"
#include "Unit3.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The name to type into the next file dialog; emptied once typed.
QString pendingAnswer;

QStringList entriesBelow(const QString &folder, const QString &skipped = QString())
{
    QStringList entries;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString entry = it.next();
        if (skipped.isEmpty() || !entry.startsWith(skipped))
            entries << entry;
    }
    entries.sort();
    return entries;
}

#ifdef Q_OS_WIN
// Every key name below `key`, recursively.
void collectKeys(HKEY key, const QString &path, QStringList &keys)
{
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const QString child = path + u'\\' + QString::fromWCharArray(name, int(length));
        keys << child;
        HKEY opened;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
            collectKeys(opened, child, keys);
            RegCloseKey(opened);
        }
    }
}

QStringList userKeys()
{
    QStringList keys;
    collectKeys(HKEY_CURRENT_USER, QStringLiteral("HKCU"), keys);
    keys.sort();
    return keys;
}

// The system's own dialog is answered from a timer of this thread, which its modal loop runs.
BOOL CALLBACK answerNativeDialog(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    const std::wstring name = QDir::toNativeSeparators(std::exchange(pendingAnswer, QString())).toStdWString();
    // The name box is a combo box in the explorer-style dialog and an edit in older ones.
    SetDlgItemTextW(window, 0x47c, name.c_str());
    SetDlgItemTextW(window, 0x480, name.c_str());
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(window, IDOK)));
    return FALSE;
}

void CALLBACK lookForNativeDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (!pendingAnswer.isEmpty())
        EnumThreadWindows(GetCurrentThreadId(), answerNativeDialog, 0);
}
#endif

} // namespace

enum class Dialog { Open, SaveAs, Report, Viewer, About };
Q_DECLARE_METATYPE(Dialog)

class NothingKeptTest : public QObject
{
    Q_OBJECT

    static void use(Dialog dialog)
    {
        switch (dialog) {
        case Dialog::Open:
            MainForm->FileOpenItem->trigger();
            break;
        case Dialog::SaveAs:
            MainForm->FileSaveAsItem->trigger();
            break;
        case Dialog::Report:
            MainForm->Frame31->Button9->click();
            break;
        case Dialog::Viewer:
            Form1->SpeedButton2->click();
            break;
        case Dialog::About:
            AboutBox->SpeedButton1->click();
            break;
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY(m_files.isValid());
        // Every place a user's settings or caches could go, inside a folder the test watches.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            qputenv(variable, QFile::encodeName(m_home.filePath(QString::fromLatin1(variable))));
        connect(&m_answerer, &QTimer::timeout, this, [this] {
            QWidget *shown = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(shown); dialog && !pendingAnswer.isEmpty()) {
                // Typed into the name box, where a user types it.
                if (auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    nameBox->setText(std::exchange(pendingAnswer, QString()));
                static_cast<QDialog *>(dialog)->accept();
            } else if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                box->accept();
            }
        });
        m_answerer.start(20);
    }

    void everyDialogLeavesOnlyTheNamedFile_data()
    {
        QTest::addColumn<Dialog>("dialog");
        QTest::addColumn<bool>("writes");
        QTest::newRow("Open") << Dialog::Open << false;
        QTest::newRow("Save As") << Dialog::SaveAs << true;
        QTest::newRow("the frame's report") << Dialog::Report << true;
        QTest::newRow("the viewer's save") << Dialog::Viewer << true;
        QTest::newRow("the payment details") << Dialog::About << true;
    }
    void everyDialogLeavesOnlyTheNamedFile()
    {
        QFETCH(Dialog, dialog);
        QFETCH(bool, writes);
        const QString named = m_files.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".txt"));
        if (!writes) {
            QFile existing(named);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("Текст\r\n");
        }
        const QStringList filesBefore = entriesBelow(m_files.path());
#ifdef Q_OS_WIN
        const QString profile = QDir::homePath();
        const QStringList profileBefore = entriesBelow(profile, QDir::tempPath());
        const QStringList keysBefore = userKeys();
#endif
        {
            ProgramWindows windows;
            Form1->RichEdit1->setPlainText(QStringLiteral("Отчет"));
            pendingAnswer = named;
#ifdef Q_OS_WIN
            const UINT_PTR timer = SetTimer(nullptr, 0, 20, lookForNativeDialog);
#endif
            use(dialog);
#ifdef Q_OS_WIN
            KillTimer(nullptr, timer);
#endif
            QVERIFY2(pendingAnswer.isEmpty(), "no file dialog came up");
        }
        QStringList filesAfter = filesBefore;
        if (writes) {
            filesAfter << named;
            filesAfter.sort();
        }
        QCOMPARE(entriesBelow(m_files.path()), filesAfter);
        QVERIFY(QFileInfo(named).size() > 0);
        QCOMPARE(entriesBelow(m_home.path()), QStringList());
#ifdef Q_OS_WIN
        QCOMPARE(entriesBelow(profile, QDir::tempPath()), profileBefore);
        QCOMPARE(userKeys(), keysBefore);
#endif
    }

private:
    QTemporaryDir m_home;
    QTemporaryDir m_files;
    QTimer m_answerer; // answers Qt's file dialog and the message boxes
};

QTEST_MAIN(NothingKeptTest)

#include "NothingKeptTest.moc"
