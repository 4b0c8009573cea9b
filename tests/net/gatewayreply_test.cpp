// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP replies of a UPnP gateway: how they are framed, and that a reply
// larger than the bound is given up rather than held, from a real server on
// loopback.
#include "net/gatewayhttp.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace tw;

namespace {

TEST(GatewayReplyTest, FramingOfTheBody)
{
    struct Case
    {
        const char *why;
        QByteArray bytes;
        std::optional<QByteArray> body; // nothing: no reply
        int status = 200;
    };
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const Case cases[] = {
        {"to the end", ok + "\r\n<root/>", "<root/>"},
        {"cut to its length", ok + "Content-Length: 4\r\n\r\n<r/>junk", "<r/>"},
        {"header names in any case", ok + "content-length:  2 \r\n\r\nabc", "ab"},
        {"shorter than its length", ok + "Content-Length: 9\r\n\r\n<r/>", std::nullopt},
        {"length not decimal", ok + "Content-Length: -1\r\n\r\n<r/>", std::nullopt},
        {"length past any bound", ok + "Content-Length: 99999999999999\r\n\r\n", std::nullopt},
        {"chunks joined",
         ok + "Transfer-Encoding: chunked\r\n\r\n3\r\n<r/\r\n1;x\r\n>\r\n0\r\n\r\n", "<r/>"},
        {"chunk larger than what came", ok + "Transfer-Encoding: chunked\r\n\r\nffff\r\nab\r\n",
         std::nullopt},
        {"chunks without the last", ok + "Transfer-Encoding: chunked\r\n\r\n2\r\nab\r\n",
         std::nullopt},
        {"a fault", "HTTP/1.0 500 Internal Server Error\r\n\r\n<errorCode>718</errorCode>",
         "<errorCode>718</errorCode>", 500},
        {"head never ends", ok + "Content-Length: 2\r\nab", std::nullopt},
        {"no status line", "<root/>\r\n\r\n", std::nullopt},
        {"status not a number", "HTTP/1.1 2x0 OK\r\n\r\n", std::nullopt},
        {"other protocol", "ICY 200 OK\r\n\r\n", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const auto reply = parseGatewayReply(c.bytes);
        ASSERT_EQ(reply.has_value(), c.body.has_value());
        if (!reply)
            continue;
        EXPECT_EQ(reply->status, c.status);
        EXPECT_EQ(reply->body.toStdString(), c.body->toStdString());
    }
}

// A server on 127.0.0.1 that answers one request with reply, then closes.
class OneReplyServer
{
public:
    explicit OneReplyServer(QByteArray reply) : m_reply(std::move(reply))
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
        ::listen(m_fd, 1);
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            const int connection = ::accept(m_fd, nullptr, nullptr);
            if (connection < 0)
                return;
            char request[4096];
            (void)!::recv(connection, request, sizeof request, 0);
            // The client may give up and close while this still sends.
            for (qsizetype sent = 0; sent < m_reply.size();) {
                const ssize_t n = ::send(connection, m_reply.constData() + sent,
                                         static_cast<size_t>(m_reply.size() - sent), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += n;
            }
            ::close(connection);
        });
    }
    ~OneReplyServer()
    {
        m_thread.join();
        ::close(m_fd);
    }
    OneReplyServer(const OneReplyServer &) = delete;
    OneReplyServer &operator=(const OneReplyServer &) = delete;

    QByteArray url() const { return "http://127.0.0.1:" + QByteArray::number(m_port) + "/desc"; }

private:
    QByteArray m_reply;
    int m_fd = -1;
    quint16 m_port = 0;
    std::thread m_thread;
};

TEST(GatewayReplyTest, RepliesPastTheBoundAreGivenUp)
{
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\n";
    const QByteArray fits = head + QByteArray(kMaxGatewayReplyBytes - head.size(), 'x');
    {
        OneReplyServer server(fits);
        const auto reply = requestFromGateway(server.url());
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->body.size(), kMaxGatewayReplyBytes - head.size());
        EXPECT_EQ(reply->localAddress, "127.0.0.1");
    }
    {
        OneReplyServer server(fits + 'x');
        EXPECT_FALSE(requestFromGateway(server.url()));
    }
    {
        OneReplyServer server(head + QByteArray(8 * 1024 * 1024, 'x'));
        EXPECT_FALSE(requestFromGateway(server.url()));
    }
}

} // namespace
