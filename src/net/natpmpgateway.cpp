// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/natpmpgateway.h"

#include <QDeadlineTimer>
#include <arpa/inet.h>
#include <natpmp.h>
#include <poll.h>

namespace tw {

namespace {

// One request and its answer, retries within kAnswerMilliseconds.
// Returns 0 or one of the library's negative codes.
int exchange(natpmp_t &natpmp, int sent, natpmpresp_t &response)
{
    if (sent < 0)
        return sent;
    QDeadlineTimer deadline(NatPmpGateway::kAnswerMilliseconds);
    while (true) {
        timeval retry{};
        if (getnatpmprequesttimeout(&natpmp, &retry) < 0)
            return NATPMP_ERR_NOPENDINGREQ;
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return NATPMP_ERR_NOGATEWAYSUPPORT;
        // Until the answer, the library's next retry or the deadline; the
        // library reports a retry that is due as a time in the past.
        const qint64 untilRetry =
            qMax<qint64>(0, qint64{retry.tv_sec} * 1000 + retry.tv_usec / 1000);
        pollfd socket{natpmp.s, POLLIN, 0};
        poll(&socket, 1, static_cast<int>(qMin(untilRetry, left)));
        const int read = readnatpmpresponseorretry(&natpmp, &response);
        if (read != NATPMP_TRYAGAIN)
            return read;
    }
}

// The library's handle, closed at the end of the scope.
class Session
{
public:
    Session() : m_open(initnatpmp(&m_natpmp, 0, 0) >= 0) {}
    ~Session()
    {
        if (m_open)
            closenatpmp(&m_natpmp);
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    bool isOpen() const { return m_open; }
    natpmp_t &handle() { return m_natpmp; }

private:
    natpmp_t m_natpmp{};
    bool m_open;
};

} // namespace

std::optional<QString> NatPmpGateway::find()
{
    Session session;
    if (!session.isOpen())
        return std::nullopt;
    natpmpresp_t response{};
    if (exchange(session.handle(), sendpublicaddressrequest(&session.handle()), response) != 0 ||
        response.type != NATPMP_RESPTYPE_PUBLICADDRESS)
        return std::nullopt;
    char text[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &response.pnu.publicaddress.addr, text, sizeof text))
        return QString();
    return QString::fromLatin1(text);
}

Gateway::Added NatPmpGateway::add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds)
{
    Session session;
    if (!session.isOpen())
        return {};
    natpmpresp_t response{};
    const int result = exchange(session.handle(),
                                sendnewportmappingrequest(&session.handle(), NATPMP_PROTOCOL_TCP,
                                                          internalPort, externalPort, leaseSeconds),
                                response);
    switch (result) {
    case 0:
        break;
    case NATPMP_ERR_NOTAUTHORIZED:
    case NATPMP_ERR_NETWORKFAILURE:
    case NATPMP_ERR_UNDEFINEDERROR:
    case NATPMP_ERR_UNSUPPORTEDOPCODE:
        return {Outcome::Refused, 0, 0};
    case NATPMP_ERR_OUTOFRESOURCES:
        return {Outcome::PortTaken, 0, 0};
    default:
        return {Outcome::NoAnswer, 0, 0};
    }
    if (response.type != NATPMP_RESPTYPE_TCPPORTMAPPING ||
        response.pnu.newportmapping.privateport != internalPort)
        return {Outcome::Refused, 0, 0};
    return {Outcome::Added, response.pnu.newportmapping.mappedpublicport,
            response.pnu.newportmapping.lifetime};
}

void NatPmpGateway::remove(quint16 internalPort, quint16 externalPort)
{
    Q_UNUSED(externalPort);
    Session session;
    if (!session.isOpen())
        return;
    // A lifetime of 0 with external port 0 deletes the mapping of internalPort.
    natpmpresp_t response{};
    exchange(session.handle(),
             sendnewportmappingrequest(&session.handle(), NATPMP_PROTOCOL_TCP, internalPort, 0, 0),
             response);
}

} // namespace tw
