// The program keeps nothing between runs: after each of its file dialogs, answered in the real
// dialog as a user would, and the windows closed, the only file left is the one the user named,
// and nothing is written below HOME (Qt's dialog would keep its history and last folder there);
// on Windows, nothing in the user's profile and no key in the user's registry either.
#include "About.h"
#include "MainForm.h"
#include "ProgramWindows.h"
#include "RealFileDialog.h"
#include "SpeedButton.h"
#include "Unit1.h"
#include "Unit3.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <utility>

#ifdef Q_OS_WIN
#include "NativeFileDialogAnswerer.h"

#include <QStandardPaths>
#endif

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
        redirectUserFolders(m_home.path());
        connect(&m_answerer, &QTimer::timeout, this, [this] {
            QWidget *shown = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(shown); dialog && !m_pendingAnswer.isEmpty()) {
                typeNameAndAccept(*dialog, std::exchange(m_pendingAnswer, QString()));
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
        const QStringList profileBefore = profileEntries();
        const QStringList keysBefore = userRegistry();
#endif
        {
            ProgramWindows windows;
            Form1->RichEdit1->setPlainText(QStringLiteral("Отчет"));
#ifdef Q_OS_WIN
            NativeFileDialogAnswerer answerer(named);
            use(dialog);
            const QString failure = answerer.finish();
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
#else
            m_pendingAnswer = named;
            use(dialog);
            QVERIFY2(m_pendingAnswer.isEmpty(), "no file dialog came up");
#endif
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
        QCOMPARE(profileEntries(), profileBefore);
        QCOMPARE(userRegistry(), keysBefore);
#endif
    }

private:
#ifdef Q_OS_WIN
    // The user's profile, AppData (Local and Roaming) within, but for the files the test named.
    QStringList profileEntries() const
    {
        QStringList entries = entriesWithin(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
        entries.removeIf([this](const QString &entry) { return entry.startsWith(m_files.path()); });
        return entries;
    }
#endif

    QTemporaryDir m_home;
    QTemporaryDir m_files;
    QTimer m_answerer;         // answers the file dialog and the message boxes
    QString m_pendingAnswer;   // the name to type into the next file dialog; emptied once typed
};

QTEST_MAIN(NothingKeptTest)

#include "NothingKeptTest.moc"
