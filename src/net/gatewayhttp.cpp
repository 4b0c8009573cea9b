// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/gatewayhttp.h"

#include "net/packet.h"
#include "net/peeraddress.h"

#include <QDeadlineTimer>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tw {

namespace {

constexpr QByteArrayView kScheme("http://");

// Closes the descriptor on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Waits until fd is ready for events or the deadline passes.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// The chunks of a chunked body joined; nothing when the last chunk is
// missing or a size is malformed.
std::optional<QByteArray> unchunked(QByteArrayView body)
{
    QByteArray joined;
    for (;;) {
        const qsizetype lineEnd = body.indexOf("\r\n");
        if (lineEnd < 0)
            return std::nullopt;
        QByteArrayView sizeText = body.first(lineEnd);
        if (const qsizetype extension = sizeText.indexOf(';'); extension >= 0)
            sizeText = sizeText.first(extension);
        bool ok = false;
        const qint64 size = sizeText.trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0 || size > body.size())
            return std::nullopt;
        body = body.sliced(lineEnd + 2);
        if (size == 0)
            return joined;
        if (body.size() < size + 2)
            return std::nullopt;
        joined += body.first(size);
        body = body.sliced(size + 2);
    }
}

} // namespace

std::optional<GatewayReply> parseGatewayReply(QByteArrayView bytes)
{
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return std::nullopt;
    const QByteArrayView head = bytes.first(headEnd);
    QByteArrayView body = bytes.sliced(headEnd + 4);

    GatewayReply reply;
    qsizetype lineStart = 0;
    bool chunked = false;
    std::optional<int> length;
    for (bool first = true; lineStart <= head.size(); first = false) {
        qsizetype lineEnd = head.indexOf("\r\n", lineStart);
        if (lineEnd < 0)
            lineEnd = head.size();
        const QByteArrayView line = head.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            // "HTTP/1.1 200 OK"
            if (!line.startsWith("HTTP/1.") || line.size() < 12 || line[8] != ' ')
                return std::nullopt;
            const auto status = decimalField(line.sliced(9, 3));
            if (!status)
                return std::nullopt;
            reply.status = *status;
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArrayView name = line.first(colon).trimmed();
        const QByteArrayView value = line.sliced(colon + 1).trimmed();
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            length = decimalField(value);
            if (!length)
                return std::nullopt;
        } else if (name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            chunked = value.compare("chunked", Qt::CaseInsensitive) == 0;
        }
    }
    if (chunked) {
        auto joined = unchunked(body);
        if (!joined)
            return std::nullopt;
        reply.body = std::move(*joined);
    } else if (length) {
        if (body.size() < *length)
            return std::nullopt;
        reply.body = body.first(*length).toByteArray();
    } else {
        reply.body = body.toByteArray();
    }
    return reply;
}

std::optional<GatewayReply> requestFromGateway(QByteArrayView url, QByteArrayView soapAction,
                                               QByteArrayView body)
{
    const auto host = httpUrlIpv4Host(url);
    if (!host)
        return std::nullopt;
    const QByteArrayView rest = url.sliced(kScheme.size());
    const qsizetype pathStart = rest.indexOf('/');
    const QByteArrayView authority = pathStart < 0 ? rest : rest.first(pathStart);
    const QByteArray path = pathStart < 0 ? QByteArray("/") : rest.sliced(pathStart).toByteArray();
    // The host check above has refused a port that is not 1..65535.
    quint16 port = 80;
    if (const qsizetype colon = authority.indexOf(':'); colon >= 0)
        port = parsePort(QString::fromLatin1(authority.sliced(colon + 1))).value_or(80);
    const auto breaksLine = [](QByteArrayView text) {
        return text.contains('\r') || text.contains('\n');
    };
    if (breaksLine(path) || path.contains(' ') || breaksLine(soapAction))
        return std::nullopt;

    const QDeadlineTimer deadline(kGatewayTimeout);
    const Descriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0)
        return std::nullopt;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(*host);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr *>(&to), sizeof to) != 0 &&
        errno != EINPROGRESS)
        return std::nullopt;
    int error = 0;
    socklen_t errorSize = sizeof error;
    if (!waitFor(socket.get(), POLLOUT, deadline) ||
        ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &errorSize) != 0 || error != 0)
        return std::nullopt;

    sockaddr_in local{};
    socklen_t localSize = sizeof local;
    char localText[INET_ADDRSTRLEN] = {};
    if (::getsockname(socket.get(), reinterpret_cast<sockaddr *>(&local), &localSize) != 0 ||
        !::inet_ntop(AF_INET, &local.sin_addr, localText, sizeof localText))
        return std::nullopt;

    // HTTP/1.0: the gateway closes the connection after its reply, which
    // ends the reply whatever its framing.
    QByteArray request = (soapAction.isEmpty() ? "GET " : "POST ") + path +
                         " HTTP/1.0\r\nHost: " + authority.toByteArray() +
                         "\r\nConnection: close\r\nUser-Agent: Tarnwake\r\n";
    if (!soapAction.isEmpty())
        request += "Content-Type: text/xml; charset=\"utf-8\"\r\nSOAPAction: \"" +
                   soapAction.toByteArray() +
                   "\"\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    request += "\r\n";
    request += body;
    for (qsizetype sent = 0; sent < request.size();) {
        if (!waitFor(socket.get(), POLLOUT, deadline))
            return std::nullopt;
        const ssize_t n = ::send(socket.get(), request.constData() + sent,
                                 static_cast<size_t>(request.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return std::nullopt;
        sent += n > 0 ? n : 0;
    }

    QByteArray received;
    char buffer[4096];
    for (;;) {
        if (!waitFor(socket.get(), POLLIN, deadline))
            return std::nullopt;
        const ssize_t n = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (received.size() + n > kMaxGatewayReplyBytes)
            return std::nullopt;
        received.append(buffer, n);
    }
    auto reply = parseGatewayReply(received);
    if (reply)
        reply->localAddress = QByteArray(localText);
    return reply;
}

} // namespace tw
