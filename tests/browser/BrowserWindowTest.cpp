// The browser window's layout and its four handlers, driven through a fake engine, and the
// window without its engine.
#include "Brauzer1.h"
#include "FakeEngine.h"
#include "PanelStatusBar.h"
#include "RecordingInteraction.h"
#include "WebBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using Reports = QList<QPair<int, int>>; // Progress, ProgressMax
using Positions = QList<QPair<int, int>>; // value, maximum after each report

namespace {

const QString loading = QStringLiteral("     Загрузка.......");
const QString done = QStringLiteral("   Ok!");

// A window whose control runs the fake engine, so that nothing loads the real one.
struct FakeWindow
{
    FakeWindow() { window.WebBrowser1->startEngine(&factory); }
    FakeEngine &engine() { return *factory.engine; }
    BrowserEngineEvents &events() { return *factory.engine->events; }

    FakeEngineFactory factory;
    TBrauzer1 window;
};

} // namespace

class BrowserWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithCaptionBarsAndHiddenControls()
    {
        FakeWindow fake;
        TBrauzer1 &window = fake.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("WEB"));
        QCOMPARE(window.pos(), QPoint(137, 90));
        QCOMPARE(window.size(), QSize(831, 452));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(235, 235, 235));
        QCOMPARE(window.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window.font().pixelSize(), 11);

        QCOMPARE(window.ProgressBar1->minimum(), 0);
        QCOMPARE(window.ProgressBar1->maximum(), 100);
        QCOMPARE(window.ProgressBar1->value(), 0);

        PanelStatusBar *bar = window.StatusBar1;
        QCOMPARE(bar->panelCount(), 2);
        QCOMPARE(bar->panelText(0), QString());
        QCOMPARE(bar->panelText(1), QStringLiteral("Упр.-  через контекстное меню"));
        QCOMPARE(bar->palette().color(QPalette::Window), QColor(255, 255, 210));
        QCOMPARE(bar->panel(0)->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(bar->panel(0)->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(bar->panel(0)->font().pixelSize(), 13);
        QVERIFY(bar->panel(0)->font().bold());

        QVERIFY(window.ComboBox1->isHidden());
        QCOMPARE(window.ComboBox1->currentText(), QStringLiteral("http://"));
        QCOMPARE(window.ComboBox1->geometry().topLeft(), QPoint(80, 24));
        QCOMPARE(window.ComboBox1->width(), 145);
        QVERIFY(window.Button1->isHidden());
        QCOMPARE(window.Button1->text(), QStringLiteral("-->"));
        QCOMPARE(window.Button1->geometry(), QRect(232, 24, 33, 25));
        QCOMPARE(window.Button1->font().pixelSize(), 13);
        QVERIFY(window.Button1->font().bold());
        QCOMPARE(window.Button1->cursor().shape(), Qt::PointingHandCursor);
    }

    void barsFollowTheWidthAtTheBottom_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as created") << QSize(831, 452);
        QTest::newRow("wider and taller") << QSize(1100, 700);
        QTest::newRow("narrower") << QSize(700, 300);
    }
    void barsFollowTheWidthAtTheBottom()
    {
        QFETCH(QSize, size);
        FakeWindow fake;
        TBrauzer1 &window = fake.window;
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect status = window.StatusBar1->geometry();
        const QRect progress = window.ProgressBar1->geometry();
        const QRect area = window.WebBrowser1->geometry();
        QCOMPARE(status, QRect(0, size.height() - 20, size.width(), 20));
        QCOMPARE(progress, QRect(0, size.height() - 36, size.width(), 16));
        QCOMPARE(area, QRect(0, 0, size.width(), size.height() - 36));
        QCOMPARE(window.StatusBar1->panel(0)->width(), 550);
        // The last panel follows the first and reaches to the right edge (less the size grip).
        const QRect first(window.StatusBar1->panel(0)->mapTo(&window, QPoint(0, 0)), QSize(550, 1));
        const QLabel *last = window.StatusBar1->panel(1);
        const QPoint lastLeft = last->mapTo(&window, QPoint(0, 0));
        QVERIFY(lastLeft.x() >= first.right());
        QVERIFY(lastLeft.x() + last->width() > size.width() - 30);
    }

    void progressAccumulatesAndClamps_data()
    {
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<Positions>("positions");
        QTest::newRow("rising reports of one download")
            << Reports{{1000, 10000}, {3000, 10000}, {6000, 10000}}
            << Positions{{1000, 10000}, {4000, 10000}, {10000, 10000}};
        QTest::newRow("stays full at the maximum")
            << Reports{{60, 100}, {60, 100}, {5, 100}} << Positions{{60, 100}, {100, 100}, {100, 100}};
        QTest::newRow("negative progress moves back, not below 0")
            << Reports{{50, 100}, {-20, 100}, {-100, 100}} << Positions{{50, 100}, {30, 100}, {0, 100}};
        QTest::newRow("maximum 0 empties the bar")
            << Reports{{40, 100}, {10, 0}, {0, 0}} << Positions{{40, 100}, {0, 0}, {0, 0}};
        QTest::newRow("a smaller maximum holds the position within it")
            << Reports{{80, 100}, {0, 50}, {10, 200}} << Positions{{80, 100}, {50, 50}, {60, 200}};
        QTest::newRow("a new download goes on from the bar's position")
            << Reports{{0, 100}, {70, 100}, {30, 100}, {0, 100}, {100, 100}}
            << Positions{{0, 100}, {70, 100}, {100, 100}, {100, 100}, {100, 100}};
        QTest::newRow("a negative maximum is ignored")
            << Reports{{30, 100}, {10, -1}, {5, -100}} << Positions{{30, 100}, {30, 100}, {30, 100}};
        QTest::newRow("sums beyond the integer range")
            << Reports{{2147483647, 2147483647}, {2147483647, 2147483647}, {-2147483647 - 1, 2147483647}}
            << Positions{{2147483647, 2147483647}, {2147483647, 2147483647}, {0, 2147483647}};
    }
    void progressAccumulatesAndClamps()
    {
        QFETCH(Reports, reports);
        QFETCH(Positions, positions);
        FakeWindow fake;
        TBrauzer1 &window = fake.window;
        for (qsizetype i = 0; i < reports.size(); ++i) {
            window.WebBrowser1ProgressChange(window.WebBrowser1, reports[i].first, reports[i].second);
            QCOMPARE(window.ProgressBar1->value(), positions[i].first);
            QCOMPARE(window.ProgressBar1->maximum(), positions[i].second);
            QCOMPARE(window.ProgressBar1->minimum(), 0);
        }
    }

    void progressReportsOfTheControlReachTheBar()
    {
        FakeWindow fake;
        fake.events().engineProgressChange(25, 50);
        fake.events().engineProgressChange(10, 50);
        QCOMPARE(fake.window.ProgressBar1->maximum(), 50);
        QCOMPARE(fake.window.ProgressBar1->value(), 35);
    }

    void captionTakesTheAddressAtDownloadBegin_data()
    {
        QTest::addColumn<QUrl>("location");
        QTest::addColumn<QString>("caption");
        const QString prefix = QStringLiteral("WEB - Проекты и программы    ");
        QTest::newRow("site root") << QUrl(QStringLiteral("http://tarvelin.example/"))
                                   << prefix + QStringLiteral("http://tarvelin.example/");
        QTest::newRow("literature page")
            << QUrl(QStringLiteral("http://tarvelin.example/index/0-4"))
            << prefix + QStringLiteral("http://tarvelin.example/index/0-4");
        QTest::newRow("Cyrillic path kept")
            << QUrl(QStringLiteral("http://tarvelin.example/сварка"))
            << prefix + QStringLiteral("http://tarvelin.example/сварка");
        QTest::newRow("characters the code page lacks")
            << QUrl(QStringLiteral("http://tarvelin.example/日本"))
            << prefix + QStringLiteral("http://tarvelin.example/??");
    }
    void captionTakesTheAddressAtDownloadBegin()
    {
        QFETCH(QUrl, location);
        QFETCH(QString, caption);
        FakeWindow fake;
        fake.engine().location = location;
        fake.events().engineDownloadBegin();
        QCOMPARE(fake.window.windowTitle(), caption);
        QCOMPARE(fake.window.StatusBar1->panelText(0), loading);

        // The end of the download and a later change of the location leave the caption alone.
        fake.engine().location = QUrl(QStringLiteral("http://tarvelin.example/elsewhere"));
        fake.events().engineDownloadComplete();
        QCOMPARE(fake.window.windowTitle(), caption);
        // The next download's begin replaces it.
        fake.events().engineDownloadBegin();
        QCOMPARE(fake.window.windowTitle(),
                 TBrauzer1::captionPrefix() + QStringLiteral("http://tarvelin.example/elsewhere"));
    }

    void captionUsesTheRequestedAddressBeforeTheEngineHasOne()
    {
        FakeWindow fake;
        fake.window.WebBrowser1->Navigate(QStringLiteral("http://tarvelin.example/index/0-4"));
        QCOMPARE(fake.engine().navigated,
                 QList<QUrl>{QUrl(QStringLiteral("http://tarvelin.example/index/0-4"))});
        fake.events().engineDownloadBegin();
        QCOMPARE(fake.window.windowTitle(),
                 TBrauzer1::captionPrefix() + QStringLiteral("http://tarvelin.example/index/0-4"));
    }

    void locationIsTheRequestedAddressUntilItsLoadBegins()
    {
        FakeWindow fake;
        WebBrowser *browser = fake.window.WebBrowser1;
        fake.engine().location = QUrl(QStringLiteral("http://tarvelin.example/"));
        QCOMPARE(browser->LocationURL(), QStringLiteral("http://tarvelin.example/"));
        browser->Navigate(QStringLiteral("http://tarvelin.example/index/0-4"));
        QCOMPARE(browser->LocationURL(), QStringLiteral("http://tarvelin.example/index/0-4"));
        // From the begin of the load on, the engine's address counts, wherever it leads.
        fake.engine().location = QUrl(QStringLiteral("http://tarvelin.example/moved"));
        fake.events().engineDownloadBegin();
        QCOMPARE(browser->LocationURL(), QStringLiteral("http://tarvelin.example/moved"));
        QCOMPARE(fake.window.windowTitle(),
                 TBrauzer1::captionPrefix() + QStringLiteral("http://tarvelin.example/moved"));
    }

    void panelZeroShowsTheLatestMarkOrStatusText()
    {
        FakeWindow fake;
        BrowserEngineEvents &events = fake.events();
        PanelStatusBar *bar = fake.window.StatusBar1;
        events.engineDownloadBegin();
        QCOMPARE(bar->panelText(0), loading);
        events.engineStatusTextChange(QStringLiteral("http://tarvelin.example/index/0-4"));
        QCOMPARE(bar->panelText(0), QStringLiteral("http://tarvelin.example/index/0-4"));
        events.engineDownloadComplete();
        QCOMPARE(bar->panelText(0), done);
        // A status text after the end of the download replaces the done mark.
        events.engineStatusTextChange(QStringLiteral("Ссылка №1 · 日本"));
        QCOMPARE(bar->panelText(0), QStringLiteral("Ссылка №1 · ??"));
        events.engineStatusTextChange(QString());
        QCOMPARE(bar->panelText(0), QString());
        QCOMPARE(bar->panelText(1), QStringLiteral("Упр.-  через контекстное меню"));
        QCOMPARE(fake.window.ProgressBar1->value(), 0);
    }

    void offeredFileAsksForItsNameInTheSaveDialog()
    {
        FakeWindow fake;
        RecordingInteraction interaction;
        interaction.answerFileDialog(QStringLiteral("/tmp/programs/program.zip"));
        interaction.answerFileDialog(std::nullopt);
        QCOMPARE(fake.events().engineAskDownloadPath(QStringLiteral("program.zip")),
                 QStringLiteral("/tmp/programs/program.zip"));
        QCOMPARE(fake.events().engineAskDownloadPath(QStringLiteral("other.exe")), QString());
        QCOMPARE(interaction.dialogs.size(), 2);
        QCOMPARE(interaction.dialogs[0].mode, FileDialogRequest::Mode::Save);
        QCOMPARE(interaction.dialogs[0].parent, &fake.window);
        QCOMPARE(interaction.dialogs[0].proposedName, QStringLiteral("program.zip"));
        QCOMPARE(interaction.dialogs[1].proposedName, QStringLiteral("other.exe"));
    }

    void tabNeverReachesTheHiddenControls()
    {
        FakeWindow fake;
        TBrauzer1 &window = fake.window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.WebBrowser1->setFocus();
        QCOMPARE(QApplication::focusWidget(), fake.engine().view());
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused != window.ComboBox1 && focused != static_cast<QWidget *>(window.ComboBox1->lineEdit()));
            QVERIFY(focused != window.Button1);
        }
    }

    void opensWithoutItsEngine_data()
    {
        QTest::addColumn<QString>("pluginContent"); // empty: no plugin file at all
        QTest::addColumn<QString>("factoryFailure"); // set: the plugin's engine refuses to start
        QTest::addColumn<QString>("reason");
#ifdef WELD_BROWSER_ENGINE
        QTest::newRow("plugin missing") << QString() << QString() << QStringLiteral("не найден");
#else
        QTest::newRow("plugin missing") << QString() << QString() << QStringLiteral("не содержит веб-движка");
#endif
        QTest::newRow("plugin file damaged") << QStringLiteral("not a shared library") << QString()
                                             << QStringLiteral("weld_webengine");
        QTest::newRow("engine refuses to start") << QString() << QStringLiteral("нет OpenGL")
                                                 << QStringLiteral("нет OpenGL");
    }
    void opensWithoutItsEngine()
    {
        QFETCH(QString, pluginContent);
        QFETCH(QString, factoryFailure);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (!pluginContent.isEmpty()) {
#ifdef Q_OS_WIN
            QFile damaged(folder.filePath(QStringLiteral("weld_webengine.dll")));
#else
            QFile damaged(folder.filePath(QStringLiteral("libweld_webengine.so")));
#endif
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(pluginContent.toUtf8());
        }
        FakeEngineFactory failing;
        failing.failure = factoryFailure;

        TBrauzer1 window;
        window.WebBrowser1->setPluginFolders({folder.path()});
        if (!factoryFailure.isEmpty())
            QVERIFY(!window.WebBrowser1->startEngine(&failing));
        // Opened before any navigation: the area says why it stays empty, the rest is as created.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.WebBrowser1->isEngineLoaded());
        QVERIFY2(window.WebBrowser1->engineError().contains(reason),
                 qPrintable(window.WebBrowser1->engineError()));
        auto *notice = window.WebBrowser1->findChild<QLabel *>(QStringLiteral("EngineUnavailable"));
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().startsWith(QStringLiteral("Встроенный браузер недоступен")));
        QVERIFY(notice->text().contains(reason));
        QCOMPARE(window.windowTitle(), QStringLiteral("WEB"));
        QCOMPARE(window.StatusBar1->panelText(0), QString());

        // Each navigation says so in panel 0 and opens the address in the desktop's browser;
        // nothing else changes.
        RecordingInteraction interaction;
        const QString address = QStringLiteral("http://tarvelin.example/");
        window.WebBrowser1->Navigate(address);
        QCOMPARE(window.StatusBar1->panelText(0), WebBrowser::unavailableStatusText());
        QCOMPARE(window.WebBrowser1->LocationURL(), address);
        QCOMPARE(window.windowTitle(), QStringLiteral("WEB"));
        QCOMPARE(window.ProgressBar1->value(), 0);
        window.StatusBar1->setPanelText(0, QString());
        window.WebBrowser1->Navigate(QStringLiteral("http://tarvelin.example/index/0-4"));
        QCOMPARE(window.StatusBar1->panelText(0), WebBrowser::unavailableStatusText());
        QVERIFY(!window.WebBrowser1->isEngineLoaded());
        QCOMPARE(interaction.openedUrls, (QList<QUrl>{QUrl(address), QUrl("http://tarvelin.example/index/0-4")}));
    }

    void navigatesBeforeShowingWithoutItsEngine()
    {
        RecordingInteraction interaction;
        QTemporaryDir empty;
        TBrauzer1 window;
        window.WebBrowser1->setPluginFolders({empty.path()});
        window.WebBrowser1->Navigate(QStringLiteral("http://tarvelin.example/index/0-4"));
        QCOMPARE(interaction.openedUrls, QList<QUrl>{QUrl("http://tarvelin.example/index/0-4")});
        QVERIFY(!window.WebBrowser1->engineError().isEmpty());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.StatusBar1->panelText(0), WebBrowser::unavailableStatusText());
        QVERIFY(window.WebBrowser1->findChild<QLabel *>(QStringLiteral("EngineUnavailable"))->isVisible());
    }
};

QTEST_MAIN(BrowserWindowTest)
#include "BrowserWindowTest.moc"
