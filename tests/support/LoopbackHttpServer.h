#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

#include <vector>

namespace testsupport {

// A small HTTP/1.1 server on 127.0.0.1 (a free port) for the network tests. It answers each GET
// with the reply set for its path (404 with an empty body for any other path), one request per
// connection. It runs on the Qt event loop: tests wait with waitUntil. A reply can also close
// the connection without an answer, cut its body short or never answer; refuseConnections()
// stops listening, so that the address refuses connections from then on.
class LoopbackHttpServer {
public:
    enum class Behaviour {
        Answer,             // status line, headers and the whole body, then close
        CloseWithoutAnswer, // close as soon as the request has arrived
        CloseMidBody,       // announce the whole body, send half of it, then close
        NeverAnswer,        // keep the connection open and silent
    };
    struct Reply {
        int status = 200;
        QByteArray body;
        Behaviour behaviour = Behaviour::Answer;
        QByteArray contentType = "application/xml";
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:<port>", without a trailing slash.
    QString baseUrl() const;

    // The reply for requests of `path` ("/updates/update_list.xml") from now on.
    void setReply(const QString& path, Reply reply);
    void setReply(const QString& path, int status, const QByteArray& body);

    // Closes the listening socket: connections are refused from now on.
    void refuseConnections();

    // Paths of the requests received, in order.
    const std::vector<QString>& requests() const { return requests_; }

private:
    void accept();

    QTcpServer server_;
    quint16 port_ = 0;
    QHash<QString, Reply> replies_;
    std::vector<QString> requests_;
};

} // namespace testsupport
