// The main window with all eight windows: creation order, menu, tool bar, hints, forwarding of
// the frame's events and the closing rules.
#include "About.h"
#include "Brauzer1.h"
#include "MainForm.h"
#include "LocaleExpectation.h"
#include "Numbers.h"
#include "ProgramWindows.h"
#include "RecordingInteraction.h"
#include "Spr_ras4et.h"
#include "Spravka.h"
#include "ShowAndFocus.h"
#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit5.h"
#include "WeldCalcState.h"

#include "Controls.h"
#include "SpeedButton.h"
#include "WebBrowser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QLabel>
#include <QPushButton>
#include <QEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

namespace {

QList<QWidget *> secondaryWindows()
{
    return {Form3, Form1, Form4, Form2, AboutBox, Form5, Brauzer1};
}

void enter(QWidget *control)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(control, &event);
}

void leave(QWidget *control)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(control, &event);
}

} // namespace

// One event of the frame as the main window receives it. `prepare` sets the frame up and may show
// boxes, which are dropped before `raise`; `check` then sees only what the handler did.
struct FrameEvent
{
    const char *name;
    std::function<void(TFrame3 *)> prepare;
    std::function<void(TFrame3 *)> raise;
    std::function<void(TFrame3 *, const RecordingInteraction &)> check;
};

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
}

void sendMouseMove(QWidget *control)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), control->mapToGlobal(QPointF(4, 4)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

QColor textColour(const QWidget *control)
{
    return control->palette().color(QPalette::WindowText);
}

// Where a handler shows a message or a file dialog, the row expects exactly one, so that a
// forwarder calling its handler twice fails. An error ends the first call at once, and the other
// handlers set a state that a second call leaves as the first one did, so for them the row checks
// only that the event reaches its handler.
const std::vector<FrameEvent> &frameEvents()
{
    const auto nothing = [](TFrame3 *) {};
    static const std::vector<FrameEvent> events{
        {"Button1Click", [](TFrame3 *f) { f->Edit6->setText(QStringLiteral("4,5")); },
         [](TFrame3 *f) { f->Button1->click(); },
         [](TFrame3 *f, const RecordingInteraction &i) {
             QCOMPARE(i.messages(), QStringList{"Длина шва меньше допустимой!"});
             QCOMPARE(f->Edit2->text(), QStringLiteral("1,04"));
         }},
        {"Button2Click", nothing, [](TFrame3 *f) { f->Button2->click(); },
         [](TFrame3 *, const RecordingInteraction &i) {
             QCOMPARE(i.messages(), QStringList{"Подборка литературы на сайте разработчика"});
         }},
        {"Button4Click", nothing, [](TFrame3 *f) { f->Button4->click(); },
         [](TFrame3 *, const RecordingInteraction &) { QVERIFY(Form2->isVisible()); }},
        {"Button9Click", nothing, [](TFrame3 *f) { f->Button9->click(); },
         [](TFrame3 *, const RecordingInteraction &i) { QCOMPARE(i.dialogs.size(), 1); }},
        {"Button10Click", nothing, [](TFrame3 *f) { f->Button10->click(); },
         [](TFrame3 *f, const RecordingInteraction &) { QCOMPARE(f->Edit6->text(), QStringLiteral("0")); }},
        {"Button13Click", nothing, [](TFrame3 *f) { f->Button13->click(); },
         [](TFrame3 *, const RecordingInteraction &i) {
             QCOMPARE(i.messages().size(), 1);
             QVERIFY(i.messages().first().startsWith(QStringLiteral("  Коэффициент высоты шва:\r\r")));
         }},
        {"Edit3Change", nothing, [](TFrame3 *f) { f->Edit4->setText(QStringLiteral("2")); f->Edit3->setText(QStringLiteral("100")); },
         [](TFrame3 *f, const RecordingInteraction &) { QCOMPARE(f->Edit1->text(), QStringLiteral("200")); }},
        {"Edit4Change", nothing, [](TFrame3 *f) { f->Edit3->setText(QStringLiteral("10")); f->Edit4->setText(QStringLiteral("0,5")); },
         [](TFrame3 *f, const RecordingInteraction &) { QCOMPARE(f->Edit1->text(), QStringLiteral("5")); }},
        {"Edit6Change", nothing, [](TFrame3 *f) { f->Edit6->setText(QStringLiteral("6")); },
         [](TFrame3 *f, const RecordingInteraction &) { QCOMPARE(f->Label52->text(), QStringLiteral("52")); }},
        {"ComboBox3Change", nothing, [](TFrame3 *f) { QTest::keyClicks(f->ComboBox3, QStringLiteral("5")); },
         [](TFrame3 *, const RecordingInteraction &) { QCOMPARE(WeldCalcState.beta, 0.75); }},
        {"Label34Click", nothing, [](TFrame3 *f) { click(f->Label34); },
         [](TFrame3 *, const RecordingInteraction &i) {
             QCOMPARE(i.errors(), QStringList{"Invalid floating point operation."});
         }},
        {"Edit13Click", nothing, [](TFrame3 *f) { click(f->Edit13); },
         [](TFrame3 *, const RecordingInteraction &i) {
             QCOMPARE(i.errors(), QStringList{"Invalid floating point operation."});
         }},
        {"Label34MouseMove", nothing, [](TFrame3 *f) { sendMouseMove(f->Label34); },
         [](TFrame3 *f, const RecordingInteraction &) { QCOMPARE(textColour(f->Label34), QColor(255, 0, 0)); }},
        {"Label34MouseLeave", nothing, [](TFrame3 *f) { QEvent leave(QEvent::Leave); QApplication::sendEvent(f->Label34, &leave); },
         [](TFrame3 *f, const RecordingInteraction &) { QCOMPARE(textColour(f->Label34), QColor(0, 0, 128)); }},
        // A zero interval lets the tick come from the message loop without waiting.
        {"Timer1Timer", nothing, [](TFrame3 *f) { f->Timer1->start(0); },
         [](TFrame3 *f, const RecordingInteraction &) { QTRY_COMPARE(textColour(f->Label34), QColor(0, 128, 128)); }},
        {"Timer2Timer", nothing, [](TFrame3 *f) { sendMouseMove(f->Label34); f->Timer2->start(0); },
         [](TFrame3 *f, const RecordingInteraction &) { QTRY_COMPARE(textColour(f->Label34), QColor(128, 0, 0)); }},
        {"Edit1Change", nothing, [](TFrame3 *f) { f->Edit1->setText(QStringLiteral("7")); },
         [](TFrame3 *f, const RecordingInteraction &i) {
             QVERIFY(i.boxes.isEmpty());
             QCOMPARE(WeldCalcState.M, 0.0);
             QCOMPARE(f->Edit1->text(), QStringLiteral("7"));
         }},
    };
    return events;
}

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_unanswered = std::make_unique<RecordingInteraction>(); // no real box may block a test
        startProgramForTest();
    }
    void cleanup()
    {
        destroyWindows();
        m_unanswered.reset();
    }

    void createsEveryWindowOnceWithOnlyTheMainOneVisible()
    {
        QCOMPARE(MainForm->windowTitle(), QStringLiteral("Расчет сварного шва"));
        QVERIFY(MainForm->isVisible());
        const QStringList captions{"Об использовании", "Просмотр, редактирование", "О расчете", "Схема",
                                   "О программе", "Конструктивные требования", "WEB"};
        QStringList seen;
        for (QWidget *window : secondaryWindows()) {
            QVERIFY(window);
            QVERIFY(!window->isVisible());
            seen << window->windowTitle();
        }
        QCOMPARE(seen, captions);
        QCOMPARE(WeldCalcState.beta, 0.7);
    }

    void aboutWindowCopiedCaptionsOfEarlierWindows()
    {
        QCOMPARE(AboutBox->Label34->text(), QStringLiteral("Расчет сварного шва"));
        QCOMPARE(AboutBox->Label2->text(), QStringLiteral("V 3.1"));
        QCOMPARE(AboutBox->Label8->text(), QStringLiteral("10.2009 г. "));
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("bold");
        const auto row = [](const char *item, const char *caption, const char *hint, bool visible = true,
                            bool enabled = true, bool bold = false) {
            // Qt reports a hidden item as disabled too.
            QTest::newRow(item) << item << caption << hint << visible << (enabled && visible) << bold;
        };
        row("FileMenu", "&File", "");
        row("FileNewItem", "&New", "Create a new file");
        row("FileOpenItem", "&Open text...", "Open an existing file");
        row("FileSaveItem", "&Save", "Save current file", false);
        row("FileSaveAsItem", "Save &As...", "Save current file under a new name", true, true, true);
        row("FilePrintItem", "&Print", "Print current file", false);
        row("FilePrintSetupItem", "P&rint Setup...", "Change printer setup", false);
        row("FileExitItem", "E&xit", "Exit this application");
        row("HelpMenu", "&Help", "");
        row("HelpContentsItem", "&Contents", "Display the help contents screen");
        row("N2", "О пользовании", "");
        row("N5", "По расчету", "");
        row("HelpSearchItem", "&Search for Help On...", "Search help file for a topic", false);
        row("HelpHowToUseItem", "&How to Use Help", "Help on using the help system", false);
        row("HelpAboutItem", "&About...", "Show program information", true, true, true);
        row("Components1", "Tools", "", true, false);
        row("Servises1", "Servises", "", true, false);
        row("Tarvelin1", "Открыть модуль >", "");
        row("N6", "     Окно     ", "");
        row("N20", "Просмотр/редактир.", "");
        row("N21", "Справка", "");
        row("N22", "О программе", "");
        row("N23", "Браузер", "");
    }
    void menuItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        QFETCH(bool, bold);
        QAction *action = MainForm->findChild<QAction *>(item);
        if (auto *menu = MainForm->findChild<QMenu *>(item))
            action = menu->menuAction();
        QVERIFY2(action, qPrintable(item));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->statusTip(), hint);
        QCOMPARE(action->isVisible(), visible);
        QCOMPARE(action->isEnabled(), enabled);
        QCOMPARE(action->font().bold(), bold);
        QVERIFY(action->shortcut().isEmpty());
    }

    void menuOrder()
    {
        QStringList bar;
        for (QAction *action : MainForm->MainMenu->actions())
            bar << action->menu()->objectName();
        QCOMPARE(bar, (QStringList{"FileMenu", "HelpMenu", "Components1", "Servises1", "Tarvelin1", "N6"}));
        QStringList modules;
        for (QAction *action : MainForm->Tarvelin1->actions())
            modules << action->objectName();
        QCOMPARE(modules, (QStringList{"N19", "N7", "N8", "N9", "N10", "N11", "N12", "N13", "N14", "N15",
                                       "N16", "N17", "N18"}));
        QVERIFY(MainForm->Components1->actions().isEmpty());
        QVERIFY(MainForm->Servises1->actions().isEmpty());
    }

    void commandsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("HelpAboutItem") << "HelpAboutItem" << "О программе";
        QTest::newRow("N22") << "N22" << "О программе";
        QTest::newRow("N20") << "N20" << "Просмотр, редактирование";
        QTest::newRow("N2") << "N2" << "Об использовании";
        QTest::newRow("N21") << "N21" << "Об использовании";
        QTest::newRow("N5") << "N5" << "О расчете";
        QTest::newRow("N23") << "N23" << "WEB";
        QTest::newRow("DesignRequirementsItem") << "DesignRequirementsItem" << "Конструктивные требования";
        QTest::newRow("SpeedButton8") << "SpeedButton8" << "Просмотр, редактирование";
        QTest::newRow("SpeedButton5") << "SpeedButton5" << "Об использовании";
        QTest::newRow("SpeedButton6") << "SpeedButton6" << "О программе";
    }
    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        RecordingInteraction interaction;
        if (auto *action = MainForm->findChild<QAction *>(command))
            action->trigger();
        else
            MainForm->findChild<QAbstractButton *>(command)->click();
        QStringList visible;
        for (QWidget *secondary : secondaryWindows()) {
            if (secondary->isVisible())
                visible << secondary->windowTitle();
        }
        QCOMPARE(visible, QStringList{window});
        QVERIFY(interaction.boxes.isEmpty());
    }

    void everyModuleItemShowsTheSameMessageAndNothingElse()
    {
        RecordingInteraction interaction;
        const QList<QAction *> modules = MainForm->Tarvelin1->actions();
        for (QAction *module : modules)
            module->trigger();
        QCOMPARE(interaction.messages().size(), 13);
        const QStringList messages = interaction.messages();
        QCOMPARE(QSet<QString>(messages.begin(), messages.end()).size(), 1);
        QCOMPARE(interaction.messages().first(),
                 QStringLiteral("Выбранный модуль не подключен. О последних версиях программ Вы можете "
                                "узнать на сайте разработчика"));
        for (QWidget *secondary : secondaryWindows())
            QVERIFY(!secondary->isVisible());
    }

    void siteCommandsShowMessageThenNavigateAndShowBrowser_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("address");
        QTest::newRow("SpeedButton7") << "Это вы можете скачать с сайта разработчика"
                                      << "http://tarvelin.example/";
        QTest::newRow("Button2") << "Подборка литературы на сайте разработчика"
                                 << "http://tarvelin.example/index/0-4";
    }
    void siteCommandsShowMessageThenNavigateAndShowBrowser()
    {
        QFETCH(QString, message);
        QFETCH(QString, address);
        RecordingInteraction interaction;
        if (QString(QTest::currentDataTag()) == QLatin1String("SpeedButton7"))
            MainForm->SpeedButton7->click();
        else
            MainForm->Frame31->Button2->click();
        QCOMPARE(interaction.messages(), QStringList{message});
        QCOMPARE(Brauzer1->WebBrowser1->LocationURL(), address);
        QVERIFY(Brauzer1->isVisible());
    }

    void toolBar()
    {
        QVERIFY(!MainForm->SpeedButton3->isEnabled());
        QCOMPARE(MainForm->SpeedButton1->toolTip(), QStringLiteral("Открыть текст"));
        QCOMPARE(MainForm->SpeedButton7->toolTip(), QStringLiteral("Сайт разработчика"));
        QCOMPARE(MainForm->SpeedButton5->cursor().shape(), Qt::WhatsThisCursor);
        QCOMPARE(MainForm->SpeedBar->cursor().shape(), Qt::CrossCursor);
        for (SpeedButton *button : {MainForm->SpeedButton1, MainForm->SpeedButton2, MainForm->SpeedButton3,
                                    MainForm->SpeedButton4, MainForm->SpeedButton5})
            QCOMPARE(button->iconSize(), QSize(20, 20));
        QCOMPARE(MainForm->height() - MainForm->MainMenu->height(), 488);
        QCOMPARE(MainForm->width(), 720);
        QCOMPARE(MainForm->StatusLine->height(), 23);
        MainForm->resize(900, MainForm->height());
        QCOMPARE(MainForm->SpeedBar->width(), MainForm->centralWidget()->width());
        QCOMPARE(MainForm->Frame31->geometry(), QRect(8, 48, 697, 401));
    }

    void hintsOfEveryWindowLandInTheMainStatusLine()
    {
        enter(MainForm->SpeedButton7);
        QCOMPARE(MainForm->StatusLine->currentMessage(), QStringLiteral("Сайт разработчика"));
        leave(MainForm->SpeedButton7);
        QCOMPARE(MainForm->StatusLine->currentMessage(), QString());
        showAndFocus(AboutBox);
        enter(AboutBox->SpeedButton1);
        QCOMPARE(MainForm->StatusLine->currentMessage(), QStringLiteral("Сохранить реквизиты в текстовом файле"));
        // The viewer's button has only a short form: a tool tip, and an empty status line.
        enter(Form1->SpeedButton2);
        QCOMPARE(Form1->SpeedButton2->toolTip(), QStringLiteral("Save As"));
        QCOMPARE(MainForm->StatusLine->currentMessage(), QString());
    }

    void highlightedMenuItemsShowTheirHints()
    {
        QMenu *menu = MainForm->FileMenu;
        menu->popup(MainForm->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(MainForm->FileNewItem);
        QCOMPARE(MainForm->StatusLine->currentMessage(), QStringLiteral("Create a new file"));
        menu->setActiveAction(MainForm->FileSaveAsItem);
        QCOMPARE(MainForm->StatusLine->currentMessage(), QStringLiteral("Save current file under a new name"));
        menu->hide();
        QCOMPARE(MainForm->StatusLine->currentMessage(), QString());

        QMenu *help = MainForm->HelpContentsItem;
        help->popup(MainForm->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        help->setActiveAction(MainForm->N5);
        help->setActiveAction(MainForm->N2); // an item without a hint empties the line
        QCOMPARE(MainForm->StatusLine->currentMessage(), QString());
        help->hide();
    }

    // Each event of the frame reaches its handler once, through the main window's forwarder.
    void everyFrameEventReachesItsHandler_data()
    {
        QTest::addColumn<int>("event");
        for (int event = 0; event < int(frameEvents().size()); ++event)
            QTest::newRow(frameEvents()[event].name) << event;
    }
    void everyFrameEventReachesItsHandler()
    {
        QFETCH(int, event);
        RecordingInteraction interaction;
        frameEvents()[event].prepare(MainForm->Frame31);
        interaction.boxes.clear();
        frameEvents()[event].raise(MainForm->Frame31);
        frameEvents()[event].check(MainForm->Frame31, interaction);
    }

    void errorsOfForwardedHandlersReachTheErrorBox()
    {
        RecordingInteraction interaction;
        TFrame3 *frame = MainForm->Frame31;
        frame->Edit4->setText(QStringLiteral("2"));
        frame->Edit3->setText(QStringLiteral("100"));
        frame->Edit4->setText(QStringLiteral("x"));
        QCOMPARE(interaction.errors(), QStringList{"'x' is not a valid floating point value."});
        QCOMPARE(frame->Edit1->text(), QStringLiteral("200"));
    }

    // The whole road of one calculation, typed as a user types it: the check, then the report,
    // which must be the worked example byte for byte and open in the viewer without its save button.
    void typedCalculationWritesTheExampleReport()
    {
        RecordingInteraction interaction;
        TFrame3 *frame = MainForm->Frame31;
        for (auto [edit, text] : {std::pair{frame->Edit4, "0,5"}, std::pair{frame->Edit3, "10"}}) {
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromUtf8(text));
        }
        frame->Edit6->selectAll();
        QTest::keyClicks(frame->Edit6, QStringLiteral("5"));
        QTest::mouseClick(frame->Button1, Qt::LeftButton);
        QCOMPARE(frame->Label22->text(), QStringLiteral("741"));

        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("Св.шов№1.txt"));
        interaction.answerFileDialog(file);
        QTest::mouseClick(frame->Button9, Qt::LeftButton);
        QVERIFY2(interaction.boxes.isEmpty(), qPrintable(interaction.errors().join(u'\n')));

        QFile written(file), expected(QStringLiteral(WELD_REPORT_EXAMPLE));
        QVERIFY(written.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected.readAll());
        QVERIFY(Form1->isVisible());
        QVERIFY(!Form1->SpeedButton2->isVisible());
        QVERIFY(Form1->RichEdit1->toPlainText().startsWith(
            QStringLiteral("          РАСЧЕТ СВАРНОГО СОЕДИНЕНИЯ С УГЛОВЫМ ШВОМ\n")));
        // The viewer's dialog proposes the report's name the next time.
        QCOMPARE(Form1->SaveDialog.fileName(), file);
    }

    // Under each locale of the locale runs: the typed road of a check in the main window shows
    // the locale's separator; the beta box takes what is typed.
    void typedCheckShowsTheLocaleSeparator()
    {
        WELD_FETCH_LOCALE_SEPARATOR(separator);
        useLocaleDecimalSeparator();
        RecordingInteraction interaction;
        TFrame3 *frame = MainForm->Frame31;
        frame->Edit4->selectAll();
        QTest::keyClicks(frame->Edit4, QStringLiteral("0.5"));
        frame->Edit3->selectAll();
        QTest::keyClicks(frame->Edit3, QStringLiteral("10"));
        QCOMPARE(frame->Edit4->text(), QStringLiteral("0") + separator + QStringLiteral("5"));
        QCOMPARE(frame->Edit1->text(), QStringLiteral("5"));
        frame->ComboBox3->lineEdit()->selectAll();
        QTest::keyClicks(frame->ComboBox3, QStringLiteral("0") + separator + QStringLiteral("8"));
        QCOMPARE(WeldCalcState.beta, 0.8);
        QTest::mouseClick(frame->Button1, Qt::LeftButton);
        QVERIFY(interaction.boxes.isEmpty());
        QCOMPARE(frame->Edit2->text(), QStringLiteral("1") + separator + QStringLiteral("34"));
    }

    void newChangesNothing()
    {
        TFrame3 *frame = MainForm->Frame31;
        frame->Edit4->setText(QStringLiteral("1,5"));
        const QList<QLineEdit *> edits = frame->findChildren<QLineEdit *>();
        QStringList before;
        for (QLineEdit *edit : edits)
            before << edit->text();
        MainForm->FileNewItem->trigger();
        QStringList after;
        for (QLineEdit *edit : edits)
            after << edit->text();
        QCOMPARE(after, before);
    }

    void secondaryWindowsHideAndKeepTheirContent()
    {
        showAndFocus(Form1);
        Form1->RichEdit1->setPlainText(QStringLiteral("правка"));
        Form1->close();
        QVERIFY(!Form1->isVisible());
        showAndFocus(Form1);
        QCOMPARE(Form1->RichEdit1->toPlainText(), QStringLiteral("правка"));
        QVERIFY(Form1->SpeedButton2->isVisible());
    }

    void closingTheMainWindowEndsTheProgramWithoutQuestion()
    {
        RecordingInteraction interaction;
        showAndFocus(Form1);
        showAndFocus(Brauzer1);
        bool ended = false;
        QTimer::singleShot(0, MainForm, [] { MainForm->FileExitItem->trigger(); });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        ended = QApplication::exec() == 0;
        QVERIFY(ended);
        QVERIFY(interaction.boxes.isEmpty());
    }

private:
    std::unique_ptr<RecordingInteraction> m_unanswered;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
