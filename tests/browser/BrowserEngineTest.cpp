// The browser window on the real web engine plugin, against a loopback site.
#include "Brauzer1.h"
#include "LoopbackSite.h"
#include "PanelStatusBar.h"
#include "RecordingInteraction.h"
#include "TestRegistry.h"
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

namespace {

bool webEngineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

constexpr int loadTimeout = 30000;

QString pageHtml(WebBrowser *browser)
{
    QString html;
    bool delivered = false;
    browser->engine()->requestHtml([&](const QString &received) {
        html = received;
        delivered = true;
    });
    if (!QTest::qWaitFor([&] { return delivered; }, loadTimeout))
        return QStringLiteral("(no HTML delivered)");
    return html;
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
        window.show();
        QVERIFY2(window.WebBrowser1->isEngineLoaded(), qPrintable(window.WebBrowser1->engineError()));
        QVERIFY(webEngineMapped());
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
        QCOMPARE(browser->engine()->title(), QStringLiteral("Проекты и программы"));
        QVERIFY(pageHtml(browser).contains(QLatin1String("root page")));
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
        QCOMPARE(browser->engine()->title(), QStringLiteral("Литература"));
        QVERIFY(pageHtml(browser).contains(QLatin1String("literature page")));
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
        QCOMPARE(browser->engine()->title(), QStringLiteral("Литература"));
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
        QCOMPARE(browser->engine()->title(), QStringLiteral("Литература"));
        QVERIFY(pageHtml(browser).contains(QLatin1String("literature page")));
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
            QTest::qWait(500);
            QVERIFY(QDir(folder.path()).isEmpty());
        }
        QCOMPARE(interaction.dialogs.size(), 1);
        QVERIFY(interaction.errors().isEmpty());
    }

private:
    LoopbackSite site;
};

// Starts the engine, loads a page and quits in a child under strace, with a home and a working
// folder of its own, and looks for every file the child or its engine processes made or opened
// for writing.
class BrowserDiskTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageLoadWritesNothingOutsideTheTemporaryFolder()
    {
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        QTemporaryDir home;
        QTemporaryDir work;
        QTemporaryDir temporary;
        QTemporaryDir trace;
        const QString log = trace.filePath(QStringLiteral("trace"));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        environment.remove(QStringLiteral("XDG_CACHE_HOME"));
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.remove(QStringLiteral("XDG_DATA_HOME"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(work.path());
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(strace, {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), log,
                             QStringLiteral("-e"),
                             QStringLiteral("trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,"
                                            "link,linkat,symlink,symlinkat"),
                             QCoreApplication::applicationFilePath(), QStringLiteral("-class"),
                             QStringLiteral("BrowserEngineTest"), QStringLiteral("navigationShowsBothPages")});
        QVERIFY(child.waitForFinished(180000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        if (output.contains(QStringLiteral("PTRACE_TRACEME")) || output.contains(QStringLiteral("ptrace")))
            QSKIP(qPrintable("strace cannot trace here: " + output));
        QVERIFY2(child.exitCode() == 0 && output.contains(QStringLiteral(" 0 failed")), qPrintable(output));

        QFile traced(log);
        QVERIFY(traced.open(QIODevice::ReadOnly));
        // A successful call that creates a name, or opens one for writing.
        static const QRegularExpression writing(QStringLiteral(
            "^\\d+\\s+(open|openat|creat|mkdir|mkdirat|rename|renameat2?|link|linkat|symlink|symlinkat)\\("
            "(.*)\\)\\s+=\\s+\\d+"));
        static const QRegularExpression quoted(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
        const QStringList allowed{temporary.path() + u'/', QStringLiteral("/dev/"), QStringLiteral("/proc/"),
                                  QStringLiteral("/sys/")};
        QStringList written;
        int calls = 0;
        for (const QByteArray &line : traced.readAll().split('\n')) {
            const QRegularExpressionMatch match = writing.match(QString::fromUtf8(line));
            if (!match.hasMatch())
                continue;
            const QString call = match.captured(1);
            const QString arguments = match.captured(2);
            ++calls;
            if (call.startsWith(QStringLiteral("open")) && !arguments.contains(QStringLiteral("O_WRONLY"))
                && !arguments.contains(QStringLiteral("O_RDWR")) && !arguments.contains(QStringLiteral("O_CREAT")))
                continue;
            // The last name of a call is the one it creates (the first for open and mkdir).
            QString name;
            QRegularExpressionMatchIterator names = quoted.globalMatch(arguments);
            while (names.hasNext()) {
                name = names.next().captured(1);
                if (call.startsWith(QStringLiteral("open")) || call.startsWith(QStringLiteral("mkdir"))
                    || call == QStringLiteral("creat"))
                    break;
            }
            const QString absolute = QDir::isAbsolutePath(name) ? name : QDir(work.path()).filePath(name);
            if (std::none_of(allowed.begin(), allowed.end(),
                             [&](const QString &prefix) { return absolute.startsWith(prefix); }))
                written << call + u' ' + absolute;
        }
        QVERIFY2(calls > 0, "the trace holds no call at all");
        written.removeDuplicates();
        QVERIFY2(written.isEmpty(), qPrintable(written.join(u'\n')));
    }
};

WELD_REGISTER_TEST(BrowserEngineTest);
WELD_REGISTER_TEST(BrowserDiskTest);
#include "BrowserEngineTest.moc"
