// LoopbackSite: HTTP/1.0 answers, one request per connection.
#include "LoopbackSite.h"

#include <QHostAddress>
#include <QTcpSocket>

LoopbackSite::LoopbackSite(QObject *parent) : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    listen(QHostAddress::LocalHost, 0);
}

QUrl LoopbackSite::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
}

QStringList LoopbackSite::pageRequests() const
{
    QStringList pages = requests;
    pages.removeAll(QStringLiteral("/favicon.ico"));
    return pages;
}

void LoopbackSite::answer(QTcpSocket *socket)
{
    // The request so far is kept on the socket until its head is complete.
    QByteArray received = socket->property("received").toByteArray() + socket->readAll();
    socket->setProperty("received", received);
    if (!received.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = received.left(received.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
    requests << path;
    int status = 200;
    QByteArray headers = "Content-Type: text/html; charset=utf-8\r\n";
    const QByteArray body = page(path, &status, &headers);
    QByteArray response = "HTTP/1.0 " + QByteArray::number(status)
                          + (status == 200 ? " OK" : " Not Found") + "\r\n" + headers
                          + "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
                          + "Cache-Control: no-store\r\n"
                          + "Connection: close\r\n\r\n" + body;
    socket->write(response);
    socket->disconnectFromHost();
}

QByteArray LoopbackSite::fileContent()
{
    QByteArray bytes("PK\x03\x04", 4);
    for (int i = 0; i < 5000; ++i)
        bytes.append(char(i * 7 % 256));
    return bytes;
}

QByteArray LoopbackSite::page(const QString &path, int *status, QByteArray *headers) const
{
    *status = 200;
    if (path == QLatin1String("/files/program.zip")) {
        *headers = "Content-Type: application/zip\r\n"
                   "Content-Disposition: attachment; filename=\"program.zip\"\r\n";
        return fileContent();
    }
    const QString link = QStringLiteral(
        "<a id=\"next\" href=\"/index/0-4\" style=\"position:absolute;left:%1px;top:%2px;"
        "width:%3px;height:%4px;display:block;font-size:40px\">Литература</a>")
                             .arg(linkLeft).arg(linkTop).arg(linkWidth).arg(linkHeight);
    QString body;
    if (path == QLatin1String("/")) {
        body = QStringLiteral("<html><head><title>Проекты и программы</title></head>"
                              "<body style=\"margin:0\">%1<p id=\"marker\" style=\"margin-top:120px\">"
                              "root page</p></body></html>")
                   .arg(link);
    } else if (path == QLatin1String("/index/0-4")) {
        body = QStringLiteral("<html><head><title>Литература</title></head>"
                              "<body><p id=\"marker\">literature page</p></body></html>");
    } else {
        *status = 404;
        body = QStringLiteral("<html><head><title>Not found</title></head><body>404</body></html>");
    }
    return body.toUtf8();
}
