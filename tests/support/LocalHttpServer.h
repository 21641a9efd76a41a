#pragma once

#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A small HTTP/1.1 server on 127.0.0.1 for the fetch's tests and benchmark: each path answers
// as set, honouring If-Modified-Since and If-None-Match against its Last-Modified and ETag.
class LocalHttpServer : public QTcpServer {
public:
    enum class Body { Whole, CutOff, Stalls };
    struct Answer {
        int status = 200;
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers; // Last-Modified, ETag, Location...
        Body how = Body::Whole;
    };
    struct Request {
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    QHash<QByteArray, Answer> answers; // by path; any other path: 404
    QList<Request> requests;

    bool start() { return listen(QHostAddress::LocalHost); }
    QUrl url(const QByteArray &path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2")
                        .arg(serverPort())
                        .arg(QString::fromLatin1(path)));
    }

protected:
    void incomingConnection(qintptr handle) override {
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void readRequest(QTcpSocket *socket) {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = pending.left(end).split('\n');
        pending.clear();
        Request request;
        request.path = lines.value(0).split(' ').value(1);
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(),
                                       line.mid(colon + 1).trimmed());
        }
        requests << request;
        answer(socket, request);
    }

    void answer(QTcpSocket *socket, const Request &request) {
        Answer a = answers.value(request.path, Answer{404, "not here", {}, Body::Whole});
        for (const auto &[name, value] : a.headers)
            if ((name == "Last-Modified" && request.headers.value("if-modified-since") == value) ||
                (name == "ETag" && request.headers.value("if-none-match") == value))
                a = Answer{304, {}, a.headers, Body::Whole};
        QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + " Status\r\n";
        for (const auto &[name, value] : a.headers)
            head += name + ": " + value + "\r\n";
        head += "Content-Length: " + QByteArray::number(a.body.size()) +
                "\r\nConnection: close\r\n\r\n";
        socket->write(head);
        if (a.how == Body::Stalls) {
            socket->write(a.body.left(10));
            return; // and never more
        }
        socket->write(a.how == Body::CutOff ? a.body.left(a.body.size() / 2) : a.body);
        socket->disconnectFromHost();
    }

    QHash<QTcpSocket *, QByteArray> m_pending;
};
