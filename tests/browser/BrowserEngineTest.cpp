// The browser window on the real web engine plugin, against a loopback site.
#include "Brauzer1.h"
#include "LoopbackSite.h"
#include "PanelStatusBar.h"
#include "RecordingInteraction.h"
#include "WebBrowser.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

namespace {

bool webEngineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// The web view's Russian catalog, which only the engine needs.
bool webEngineCatalogInstalled()
{
    const QList<QTranslator *> translators = qApp->findChildren<QTranslator *>();
    return std::any_of(translators.begin(), translators.end(), [](const QTranslator *translator) {
        return translator->filePath().contains(QStringLiteral("qtwebengine"));
    });
}

constexpr int loadTimeout = 30000;

// The title of the page the engine shows, from its view's title property (the program itself
// never asks for it).
QString pageTitle(WebBrowser *browser)
{
    return browser->engine()->view()->property("title").toString();
}

// Moves the pointer over the engine's view; the engine takes input through its focus proxy.
void movePointer(WebBrowser *browser, QPoint position)
{
    QWidget *view = browser->engine()->view();
    QWidget *input = view->focusProxy() ? view->focusProxy() : view;
    QMouseEvent move(QEvent::MouseMove, position, input->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(input, &move);
}

} // namespace

class BrowserEngineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(site.isListening()); }

    // First, while nothing in this process has used the engine yet.
    void engineLoadsOnlyAtFirstShowing()
    {
        const bool sandboxSwitchInherited = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
        TBrauzer1 window;
        QVERIFY2(!webEngineMapped(), "the engine's libraries were loaded before the first use");
        QVERIFY(!window.WebBrowser1->isEngineLoaded());
        QVERIFY(!webEngineCatalogInstalled());
        window.show();
        QVERIFY2(window.WebBrowser1->isEngineLoaded(), qPrintable(window.WebBrowser1->engineError()));
        QVERIFY(webEngineMapped());
        QVERIFY(webEngineCatalogInstalled());
        // The engine's start as root leaves no switch behind for the programs launched later.
        QCOMPARE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"), sandboxSwitchInherited);
        // Shown before any navigation: the caption, the panels and the bar as created.
        QTest::qWait(200);
        QCOMPARE(window.windowTitle(), QStringLiteral("WEB"));
        QCOMPARE(window.StatusBar1->panelText(0), QString());
        QCOMPARE(window.StatusBar1->panelText(1), QStringLiteral("Упр.-  через контекстное меню"));
        QCOMPARE(window.ProgressBar1->value(), 0);
        QCOMPARE(window.WebBrowser1->LocationURL(), QString());
    }

    void navigationShowsBothPages()
    {
        TBrauzer1 window;
        WebBrowser *browser = window.WebBrowser1;
        QStringList captionsAtBegin;
        int totalProgress = 0;
        // Connected after the window's own handlers, so they see what those left.
        connect(browser, &WebBrowser::DownloadBegin, this,
                [&] { captionsAtBegin << window.windowTitle(); });
        connect(browser, &WebBrowser::ProgressChange, this, [&](int progress, int progressMax) {
            QCOMPARE(progressMax, 100);
            totalProgress += progress;
        });
        QSignalSpy complete(browser, &WebBrowser::DownloadComplete);

        // The main window navigates the hidden window first, then shows it.
        const QString root = site.url(QStringLiteral("/")).toString();
        browser->Navigate(root);
        QVERIFY2(browser->isEngineLoaded(), qPrintable(browser->engineError()));
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 1, loadTimeout);
        QCOMPARE(browser->LocationURL(), root);
        QCOMPARE(pageTitle(browser), QStringLiteral("Проекты и программы"));
        QCOMPARE(captionsAtBegin, QStringList{TBrauzer1::captionPrefix() + root});
        QCOMPARE(window.windowTitle(), TBrauzer1::captionPrefix() + root);
        QCOMPARE(window.StatusBar1->panelText(0), QStringLiteral("   Ok!"));
        // The engine's percentage, reported as increases, fills the bar.
        QCOMPARE(totalProgress, 100);
        QCOMPARE(window.ProgressBar1->maximum(), 100);
        QCOMPARE(window.ProgressBar1->value(), 100);

        const QString literature = site.url(QStringLiteral("/index/0-4")).toString();
        browser->Navigate(literature);
        QCOMPARE(browser->LocationURL(), literature);
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 2, loadTimeout);
        QCOMPARE(browser->LocationURL(), literature);
        QCOMPARE(pageTitle(browser), QStringLiteral("Литература"));
        QCOMPARE(captionsAtBegin.size(), 2);
        QCOMPARE(captionsAtBegin.last(), TBrauzer1::captionPrefix() + literature);
        QCOMPARE(window.windowTitle(), TBrauzer1::captionPrefix() + literature);
        // The second download goes on from the full bar and stays there.
        QCOMPARE(totalProgress, 200);
        QCOMPARE(window.ProgressBar1->value(), 100);
        QVERIFY(site.requests.contains(QStringLiteral("/index/0-4")));
    }

    void hoveredLinkShowsInPanelZeroAndLeadsToItsPage()
    {
        TBrauzer1 window;
        WebBrowser *browser = window.WebBrowser1;
        QSignalSpy complete(browser, &WebBrowser::DownloadComplete);
        QStringList captionsAtBegin;
        connect(browser, &WebBrowser::DownloadBegin, this,
                [&] { captionsAtBegin << window.windowTitle(); });
        browser->Navigate(site.url(QStringLiteral("/")).toString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 1, loadTimeout);

        const QPoint overLink(LoopbackSite::linkLeft + 30, LoopbackSite::linkTop + 20);
        const QString link = site.url(QStringLiteral("/index/0-4")).toString();
        QTRY_VERIFY_WITH_TIMEOUT((movePointer(browser, overLink),
                                  window.StatusBar1->panelText(0) == link),
                                 loadTimeout);
        // Leaving the link empties the panel.
        const QPoint offLink(LoopbackSite::linkLeft + 30, LoopbackSite::linkTop + 200);
        QTRY_VERIFY_WITH_TIMEOUT((movePointer(browser, offLink),
                                  window.StatusBar1->panelText(0).isEmpty()),
                                 loadTimeout);

        // Following the link: the caption names the linked page from its download's begin.
        QWidget *view = browser->engine()->view();
        QWidget *input = view->focusProxy() ? view->focusProxy() : view;
        movePointer(browser, overLink);
        QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, overLink);
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 2, loadTimeout);
        QCOMPARE(captionsAtBegin.size(), 2);
        QCOMPARE(captionsAtBegin.last(), TBrauzer1::captionPrefix() + link);
        QCOMPARE(browser->LocationURL(), link);
        QCOMPARE(pageTitle(browser), QStringLiteral("Литература"));
    }

    void hidingKeepsThePage()
    {
        TBrauzer1 window;
        WebBrowser *browser = window.WebBrowser1;
        QSignalSpy complete(browser, &WebBrowser::DownloadComplete);
        QSignalSpy begin(browser, &WebBrowser::DownloadBegin);
        const QString literature = site.url(QStringLiteral("/index/0-4")).toString();
        browser->Navigate(literature);
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 1, loadTimeout);
        const QString caption = window.windowTitle();
        const QStringList requests = site.pageRequests();

        window.close(); // closing a secondary window only hides it
        QVERIFY(window.isHidden());
        QTest::qWait(300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);

        QCOMPARE(begin.count(), 1); // nothing was loaded again
        QCOMPARE(site.pageRequests(), requests);
        QCOMPARE(browser->LocationURL(), literature);
        QCOMPARE(pageTitle(browser), QStringLiteral("Литература"));
        QCOMPARE(window.windowTitle(), caption);
        QCOMPARE(window.StatusBar1->panelText(0), QStringLiteral("   Ok!"));
        QCOMPARE(window.ProgressBar1->value(), 100);
    }

    void offeredFileIsSavedWhereTheUserSays_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("saved") << true;
        QTest::newRow("refused") << false;
    }
    void offeredFileIsSavedWhereTheUserSays()
    {
        QFETCH(bool, accepted);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString target = folder.filePath(QStringLiteral("сохранено.zip"));
        RecordingInteraction interaction;
        interaction.answerFileDialog(accepted ? std::optional<QString>(target) : std::nullopt);

        TBrauzer1 window;
        window.show();
        window.WebBrowser1->Navigate(site.url(QStringLiteral("/files/program.zip")).toString());
        QTRY_COMPARE_WITH_TIMEOUT(interaction.dialogs.size(), 1, loadTimeout);
        QCOMPARE(interaction.dialogs[0].mode, FileDialogRequest::Mode::Save);
        QCOMPARE(interaction.dialogs[0].proposedName, QStringLiteral("program.zip"));
        if (accepted) {
            const QString saved = QStringLiteral("Файл загружен: ") + QDir::toNativeSeparators(target);
            QTRY_COMPARE_WITH_TIMEOUT(window.StatusBar1->panelText(0), saved, loadTimeout);
            QFile file(target);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), LoopbackSite::fileContent());
        } else {
            // A download that went on after the cancel would land in the engine's own download
            // folder under the suggested name, and say so in the status bar.
            QTest::qWait(500);
            const QDir downloads(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
            QVERIFY(!downloads.exists(QStringLiteral("program.zip")));
            QVERIFY(!window.StatusBar1->panelText(0).startsWith(QStringLiteral("Файл загружен")));
        }
        QCOMPARE(interaction.dialogs.size(), 1);
        QVERIFY(interaction.errors().isEmpty());
    }

private:
    LoopbackSite site;
};

QTEST_MAIN(BrowserEngineTest)
#include "BrowserEngineTest.moc"
