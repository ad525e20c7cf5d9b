// A tiny web site for the browser tests, served on 127.0.0.1 only: "/" with a link to
// "/index/0-4", "/index/0-4", and a file to download, "/files/program.zip".
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class LoopbackSite : public QTcpServer
{
    Q_OBJECT
public:
    explicit LoopbackSite(QObject *parent = nullptr);

    // "http://127.0.0.1:<port><path>"
    QUrl url(const QString &path) const;
    // Paths asked for so far, in order.
    QStringList requests;
    // The same without the engine's own asks for the site's icon.
    QStringList pageRequests() const;

    // Where the link of "/" sits on the page, in CSS pixels from the view's top left.
    static constexpr int linkLeft = 20;
    static constexpr int linkTop = 20;
    static constexpr int linkWidth = 400;
    static constexpr int linkHeight = 60;

    // The bytes of "/files/program.zip".
    static QByteArray fileContent();

private:
    void answer(QTcpSocket *socket);
    QByteArray page(const QString &path, int *status, QByteArray *headers) const;
};
