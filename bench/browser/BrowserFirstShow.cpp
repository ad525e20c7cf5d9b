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
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextStream>
#include <cstdio>

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
    QObject::connect(window.WebBrowser1, &WebBrowser::DownloadComplete, [&] { loaded = true; });
    QCoreApplication::processEvents();
    const QString self = QString::number(QCoreApplication::applicationPid());
    const qint64 rssBefore = statusKib(self, "VmRSS:");

    QElapsedTimer clock;
    clock.start();
    window.WebBrowser1->Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(site.serverPort()));
    const double engineMs = clock.nsecsElapsed() / 1e6;
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window, 30000);
    const double shownMs = clock.nsecsElapsed() / 1e6;
    const bool done = QTest::qWaitFor([&] { return loaded; }, 30000);
    const double loadedMs = clock.nsecsElapsed() / 1e6;

    std::printf("engine_ms=%.1f shown_ms=%.1f loaded_ms=%.1f rss_before_kib=%lld peak_rss_kib=%lld "
                "helpers_rss_kib=%lld ok=%d\n",
                engineMs, shownMs, loadedMs, rssBefore, statusKib(self, "VmHWM:"),
                descendantsRssKib(), int(exposed && done && window.WebBrowser1->isEngineLoaded() == withEngine));
    return exposed && done ? 0 : 1;
}
