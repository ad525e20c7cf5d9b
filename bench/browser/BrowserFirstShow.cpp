// Times the first showing of the browser window as the main window's site command does it (a
// navigation, then show), with a page from a loopback server in this process, and reports the
// memory this costs in the program and in the engine's helper processes.
//   weld-browser-first-show [--no-engine]  →  one line: "<key>=<value> …"
// With --no-engine the plugin is not found: the window alone, as a yardstick.
#include "Brauzer1.h"
#include "WebBrowser.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWindow>
#include <QTextStream>
#include <cstdio>
#include <functional>

namespace {

// A value in KiB from /proc/<pid>/status, 0 when missing.
qint64 statusKib(const QString &pid, const char *key)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Resident memory of all descendants of this process (the engine's helper processes).
qint64 descendantsRssKib()
{
    const QString self = QString::number(QCoreApplication::applicationPid());
    QMap<QString, QString> parentOf;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        pid.toInt(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // The parent is the second field after the command name in parentheses.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        parentOf.insert(pid, QString::fromLatin1(fields.value(1)));
    }
    qint64 total = 0;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        QString ancestor = it.value();
        while (!ancestor.isEmpty() && ancestor != self && ancestor != QLatin1String("0")
               && ancestor != QLatin1String("1"))
            ancestor = parentOf.value(ancestor);
        if (ancestor == self)
            total += statusKib(it.key(), "VmRSS:");
    }
    return total;
}

// Runs the event loop, as the program's own does, until `done` is raised or 30 s have passed.
template <typename Sender, typename Signal>
bool runUntil(Sender *sender, Signal done, const std::function<bool()> &already)
{
    if (already())
        return true;
    QEventLoop loop;
    bool reached = false;
    QObject::connect(sender, done, &loop, [&] {
        reached = true;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return reached;
}

// Raises `exposed` when its window first appears on the screen.
class ExposeWatch : public QObject
{
    Q_OBJECT
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            Q_EMIT exposed();
        return false;
    }
Q_SIGNALS:
    void exposed();
};

const QByteArray page = "<html><head><title>Проекты и программы</title></head><body>"
                        "<h1>Проекты и программы</h1><p><a href=\"/index/0-4\">Литература</a></p>"
                        "</body></html>";

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);

    QTcpServer site;
    site.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&site, &QTcpServer::newConnection, &site, [&site] {
        while (QTcpSocket *socket = site.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                              "Content-Length: " + QByteArray::number(page.size())
                              + "\r\nConnection: close\r\n\r\n" + page);
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });

    const bool withEngine = !QCoreApplication::arguments().contains(QStringLiteral("--no-engine"));
    TBrauzer1 window;
    if (!withEngine)
        window.WebBrowser1->setPluginFolders({});
    bool loaded = !withEngine;
    QObject::connect(window.WebBrowser1, &WebBrowser::DownloadComplete, &window, [&] { loaded = true; });
    ExposeWatch watch;
    QCoreApplication::processEvents();
    const QString self = QString::number(QCoreApplication::applicationPid());
    const qint64 rssBefore = statusKib(self, "VmRSS:");

    QElapsedTimer clock;
    clock.start();
    window.WebBrowser1->Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(site.serverPort()));
    const double engineMs = clock.nsecsElapsed() / 1e6;
    window.show();
    // Watched from here: the engine's view makes the window take a native window of the kind
    // that OpenGL draws into, so it only now has its final one.
    window.windowHandle()->installEventFilter(&watch);
    const bool exposed = runUntil(&watch, &ExposeWatch::exposed,
                                  [&] { return window.windowHandle()->isExposed(); });
    const double shownMs = clock.nsecsElapsed() / 1e6;
    const bool done = runUntil(window.WebBrowser1, &WebBrowser::DownloadComplete, [&] { return loaded; });
    const double loadedMs = clock.nsecsElapsed() / 1e6;

    // A second page once the engine runs: what each later navigation costs.
    double secondMs = 0;
    bool secondDone = true;
    if (withEngine) {
        loaded = false;
        clock.restart();
        window.WebBrowser1->Navigate(
            QStringLiteral("http://127.0.0.1:%1/index/0-4").arg(site.serverPort()));
        secondDone = runUntil(window.WebBrowser1, &WebBrowser::DownloadComplete,
                              [&] { return loaded; });
        secondMs = clock.nsecsElapsed() / 1e6;
    }

    const bool ok = exposed && done && secondDone && window.WebBrowser1->isEngineLoaded() == withEngine;
    std::printf("engine_ms=%.1f shown_ms=%.1f loaded_ms=%.1f second_ms=%.1f rss_before_kib=%lld "
                "peak_rss_kib=%lld helpers_rss_kib=%lld ok=%d\n",
                engineMs, shownMs, loadedMs, secondMs, rssBefore, statusKib(self, "VmHWM:"),
                descendantsRssKib(), int(ok));
    return ok ? 0 : 1;
}

#include "BrowserFirstShow.moc"
