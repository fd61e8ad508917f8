#include "support/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <memory>

namespace testsupport {

namespace {

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    port_ = server_.serverPort();
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    server_.close();
}

QString LoopbackHttpServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

void LoopbackHttpServer::setReply(const QString& path, Reply reply) {
    replies_.insert(path, std::move(reply));
}

void LoopbackHttpServer::setReply(const QString& path, int status, const QByteArray& body) {
    setReply(path, Reply{status, body, Behaviour::Answer, "application/xml"});
}

void LoopbackHttpServer::refuseConnections() {
    server_.close();
}

void LoopbackHttpServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // Sockets are children of the server and go with it.
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            const qsizetype headerEnd = received->indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            // "GET /path HTTP/1.1"
            const QList<QByteArray> requestLine =
                received->left(received->indexOf("\r\n")).split(' ');
            received->clear();
            const QString path =
                requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
            requests_.push_back(path);
            const Reply reply =
                replies_.value(path, Reply{404, {}, Behaviour::Answer, "text/plain"});

            switch (reply.behaviour) {
            case Behaviour::NeverAnswer:
                return;
            case Behaviour::CloseWithoutAnswer:
                socket->disconnectFromHost();
                return;
            case Behaviour::Answer:
            case Behaviour::CloseMidBody:
                break;
            }
            QByteArray answer = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                                reasonPhrase(reply.status) + "\r\n";
            answer += "Content-Type: " + reply.contentType + "\r\n";
            answer += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
            answer += "Connection: close\r\n\r\n";
            if (reply.behaviour == Behaviour::CloseMidBody)
                answer += reply.body.left(reply.body.size() / 2);
            else
                answer += reply.body;
            socket->write(answer);
            socket->disconnectFromHost();
        });
    }
}

} // namespace testsupport
