// Qt's own texts in Russian: the file dialogs as the user meets them, and the program's own texts
// exactly as they are without Qt's catalogs.
#include "About.h"
#include "Controls.h"
#include "Brauzer1.h"
#include "MainForm.h"
#include "Numbers.h"
#include "ProgramWindows.h"
#include "RecordingInteraction.h"
#include "Startup.h"
#include "ToolkitTranslations.h"
#include "Unit1.h"
#include "Unit3.h"
#include "WebBrowser.h"
#include "WeldCalcState.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {

struct DialogSeen
{
    QString title;
    QString accept;
    QString cancel;
    QStringList entries;
    int selected = -1;
};

// Runs `command`, which opens one modal file dialog, reads the dialog as shown and cancels it.
DialogSeen seeFileDialog(const std::function<void()> &command)
{
    DialogSeen seen;
    QTimer::singleShot(0, qApp, [&seen] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.title = dialog->windowTitle();
        const auto *buttons = dialog->findChild<QDialogButtonBox *>();
        for (QAbstractButton *button : buttons->buttons()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                seen.accept = button->text().remove(u'&');
            else if (buttons->buttonRole(button) == QDialogButtonBox::RejectRole)
                seen.cancel = button->text().remove(u'&');
        }
        const auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < types->count(); ++i)
            seen.entries << types->itemText(i);
        seen.selected = types->currentIndex();
        dialog->reject();
    });
    command();
    return seen;
}

// Every text a user can read in the program's windows, menus and controls, in a fixed order.
QStringList programTexts()
{
    QStringList texts;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        texts << window->windowTitle();
        for (QObject *object : window->findChildren<QObject *>()) {
            const QString name = object->objectName();
            if (auto *label = qobject_cast<QLabel *>(object))
                texts << name + u'=' + label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(object))
                texts << name + u'=' + button->text();
            else if (auto *edit = qobject_cast<QLineEdit *>(object))
                texts << name + u'=' + edit->text();
            else if (auto *action = qobject_cast<QAction *>(object))
                texts << name + u'=' + action->text() + u'|' + action->statusTip() + u'|'
                             + action->shortcut().toString(QKeySequence::NativeText);
            else if (auto *combo = qobject_cast<QComboBox *>(object)) {
                for (int i = 0; i < combo->count(); ++i)
                    texts << name + u'=' + combo->itemText(i);
            }
            if (auto *widget = qobject_cast<QWidget *>(object))
                texts << name + u'~' + widget->toolTip() + u'|' + widget->statusTip();
        }
    }
    texts.sort(); // Qt lists the top-level windows in no particular order
    return texts;
}

// The plain message box as the user sees it: caption, text and button.
QStringList messageBoxSeen()
{
    QStringList seen;
    QTimer::singleShot(0, qApp, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen << box->windowTitle() << box->text();
        for (QAbstractButton *button : box->buttons())
            seen << button->text();
        box->accept();
    });
    showMessage(QStringLiteral("Записано в файл  C:\\отчет.txt"));
    return seen;
}

// The bytes of the report of one calculation, written through the frame's own buttons.
QByteArray writtenReport()
{
    RecordingInteraction interaction;
    TFrame3 *frame = MainForm->Frame31;
    frame->Edit4->setText(QStringLiteral("0,5"));
    frame->Edit3->setText(QStringLiteral("10"));
    frame->Edit6->setText(QStringLiteral("5"));
    QTest::mouseClick(frame->Button1, Qt::LeftButton);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("report.txt"));
    interaction.answerFileDialog(file);
    QTest::mouseClick(frame->Button9, Qt::LeftButton);
    QFile written(file);
    if (!interaction.errors().isEmpty() || !written.open(QIODevice::ReadOnly))
        return {};
    return written.readAll();
}

} // namespace

class RussianToolkitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(installToolkitTranslation(QStringLiteral("qtbase")),
                 qPrintable(toolkitTranslationsFolders().join(u' ')));
    }
    void init()
    {
        startProgramForTest();
    }
    void cleanup() { destroyWindows(); }

    void fileDialogsShowTheirEntriesAsWrittenInRussian_data()
    {
        QTest::addColumn<std::function<void()>>("command");
        QTest::addColumn<QString>("accept");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("main window's open") << std::function<void()>([] { MainForm->FileOpenItem->trigger(); })
                                            << "Открыть"
                                            << QStringList{"Все файлы (*.*)", "Текстовые (*.txt)", "MWord(.doc)",
                                                           "rtf-формат (*.rtf)", "Расчетные (*.tww)"};
        const QStringList saveEntries{"Текстовые (*.txt)", "MWord(.doc)", "RTF-формат (*.rtf)",
                                      "Таблица Excel (*.xls)", "Расчетные (*.tww)", "Все файлы (*.*)"};
        QTest::newRow("main window's save as") << std::function<void()>([] { MainForm->FileSaveAsItem->trigger(); })
                                               << "Сохранить" << saveEntries;
        QStringList viewerEntries = saveEntries;
        viewerEntries[3] = QStringLiteral("Таблица Excel");
        QTest::newRow("viewer's save") << std::function<void()>([] { Form1->SpeedButton2Click(nullptr); })
                                       << "Сохранить" << viewerEntries;
        QTest::newRow("About window's save") << std::function<void()>([] { AboutBox->SpeedButton1Click(nullptr); })
                                             << "Сохранить"
                                             << QStringList{"Текстовые (*.txt)", "Все файлы (*.*)"};
    }
    void fileDialogsShowTheirEntriesAsWrittenInRussian()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows shows its own dialog, in the system's language");
#endif
        QFETCH(std::function<void()>, command);
        QFETCH(QString, accept);
        QFETCH(QStringList, entries);
        const DialogSeen seen = seeFileDialog(command);
        QCOMPARE(seen.entries, entries);
        QCOMPARE(seen.selected, 0);
        QCOMPARE(seen.accept, accept);
        QCOMPARE(seen.cancel, QStringLiteral("Отмена"));
    }

    // Qt's catalogs translate Qt's texts only: every caption, hint, message box and report line
    // of the program reads the same with them as without them.
    void programTextsAreTheSameWithoutQtCatalogs()
    {
        const QStringList withCatalogs = programTexts();
        const QStringList boxWithCatalogs = messageBoxSeen();
        const QByteArray reportWithCatalogs = writtenReport();

        QList<QTranslator *> translators = qApp->findChildren<QTranslator *>();
        for (QTranslator *translator : translators)
            QCoreApplication::removeTranslator(translator);
        destroyWindows();
        createWindows();
        const QStringList withoutCatalogs = programTexts();
        const QStringList boxWithoutCatalogs = messageBoxSeen();
        const QByteArray reportWithoutCatalogs = writtenReport();
        for (QTranslator *translator : translators)
            QCoreApplication::installTranslator(translator);

        QVERIFY(withCatalogs.size() > 100);
        QCOMPARE(withCatalogs, withoutCatalogs);
        QCOMPARE(boxWithCatalogs, (QStringList{"Сварной шов", "Записано в файл  C:\\отчет.txt", "OK"}));
        QCOMPARE(boxWithCatalogs, boxWithoutCatalogs);
        QCOMPARE(reportWithCatalogs.count("\r\n"), 63);
        QCOMPARE(reportWithCatalogs, reportWithoutCatalogs);
    }

};

QTEST_MAIN(RussianToolkitTest)
#include "RussianToolkitTest.moc"
