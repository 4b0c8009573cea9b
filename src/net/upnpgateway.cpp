// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/upnpgateway.h"

#include "net/gatewayhttp.h"
#include "net/peeraddress.h"

#include <arpa/inet.h>
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnpreplyparse.h>
#include <natpmp.h>

namespace tw {

namespace {

// UPnP error codes of WANIPConnection that change what we do.
constexpr int kConflictInMappingEntry = 718;
constexpr int kOnlyPermanentLeasesSupported = 725;

const char kDescription[] = "Tarnwake";

// This machine's default IPv4 gateway, in host byte order. libnatpmp reads
// the routing table without sending anything.
std::optional<quint32> defaultGateway()
{
    natpmp_t natpmp{};
    if (initnatpmp(&natpmp, 0, 0) < 0)
        return std::nullopt;
    const quint32 gateway = ntohl(natpmp.gateway);
    closenatpmp(&natpmp);
    return gateway;
}

bool onGateway(const char *url, quint32 gateway)
{
    if (!url)
        return false;
    const auto host = httpUrlIpv4Host(QByteArrayView(url, qstrnlen(url, 2048)));
    return host && *host == gateway;
}

Gateway::Outcome outcomeOf(int code)
{
    if (code == UPNPCOMMAND_SUCCESS)
        return Gateway::Outcome::Added;
    if (code == kConflictInMappingEntry)
        return Gateway::Outcome::PortTaken;
    if (code < 0)
        return Gateway::Outcome::NoAnswer; // HTTP failed or the reply made no sense
    return Gateway::Outcome::Refused;
}

QByteArray xmlEscaped(QByteArrayView text)
{
    QByteArray escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

using SoapArguments = std::initializer_list<std::pair<const char *, QByteArray>>;

// One action of the gateway's connection service, sent as miniupnpc's
// commands send it but through our bounded HTTP: miniupnpc would hold a
// reply of any size. A UPnP error code, or UPNPCOMMAND_SUCCESS with the
// named value of the answer put in wanted.
int soapCall(const UPNPUrls &urls, const IGDdatas &data, const char *action,
             SoapArguments arguments, const char *wantedName = nullptr,
             QByteArray *wanted = nullptr)
{
    const QByteArray service(data.first.servicetype,
                             qstrnlen(data.first.servicetype, MINIUPNPC_URL_MAXSIZE));
    QByteArray body = "<?xml version=\"1.0\"?>\r\n"
                      "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                      "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
                      "<s:Body><u:" +
                      QByteArray(action) + " xmlns:u=\"" + xmlEscaped(service) + "\">";
    for (const auto &[name, value] : arguments)
        body += '<' + QByteArray(name) + '>' + xmlEscaped(value) + "</" + name + '>';
    body += "</u:" + QByteArray(action) + "></s:Body></s:Envelope>\r\n";

    const QByteArrayView control(urls.controlURL, qstrnlen(urls.controlURL, 2048));
    const auto reply = requestFromGateway(control, service + '#' + action, body);
    if (!reply)
        return UPNPCOMMAND_HTTP_ERROR;
    NameValueParserData parsed{};
    ParseNameValue(reply->body.constData(), static_cast<int>(reply->body.size()), &parsed);
    int code = UPNPCOMMAND_SUCCESS;
    if (const char *error = GetValueFromNameValueList(&parsed, "errorCode")) {
        bool ok = false;
        code = QByteArray(error).toInt(&ok);
        if (!ok || code <= 0)
            code = UPNPCOMMAND_INVALID_RESPONSE;
    } else if (reply->status != 200) {
        code = UPNPCOMMAND_INVALID_RESPONSE;
    } else if (wantedName) {
        if (const char *value = GetValueFromNameValueList(&parsed, wantedName))
            *wanted = QByteArray(value);
        else
            code = UPNPCOMMAND_INVALID_RESPONSE;
    }
    ClearNameValueList(&parsed);
    return code;
}

} // namespace

UpnpGateway::UpnpGateway()
    : m_urls(std::make_unique<UPNPUrls>()), m_data(std::make_unique<IGDdatas>())
{
    *m_urls = {};
    *m_data = {};
}

UpnpGateway::~UpnpGateway()
{
    release();
}

void UpnpGateway::release()
{
    if (m_found)
        FreeUPNPUrls(m_urls.get());
    *m_urls = {};
    m_found = false;
}

std::optional<QString> UpnpGateway::find()
{
    release();
    const auto gateway = defaultGateway();
    if (!gateway)
        return std::nullopt;
    int error = 0;
    UPNPDev *devices =
        upnpDiscover(kSearchMilliseconds, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error);
    for (UPNPDev *device = devices; device && !m_found; device = device->pNext) {
        if (!onGateway(device->descURL, *gateway))
            continue;
        // Fetched here rather than by miniupnpc, which would hold however
        // much the device sends. Connected or not: the connection state a
        // gateway reports says nothing about whether a mapping works (behind
        // another NAT it does), so it is not asked.
        const auto description =
            requestFromGateway(QByteArrayView(device->descURL, qstrnlen(device->descURL, 2048)));
        if (!description || description->status != 200)
            continue;
        *m_data = {};
        parserootdesc(description->body.constData(), static_cast<int>(description->body.size()),
                      m_data.get());
        GetUPNPUrls(m_urls.get(), m_data.get(), device->descURL, device->scope_id);
        m_found = true;
        if (!onGateway(m_urls->controlURL, *gateway) || !m_data->first.servicetype[0] ||
            !parseIpv4(QString::fromLatin1(description->localAddress)))
            release();
        else
            m_lanAddress = description->localAddress;
    }
    freeUPNPDevlist(devices);
    if (!m_found)
        return std::nullopt;
    QByteArray external;
    if (soapCall(*m_urls, *m_data, "GetExternalIPAddress", {}, "NewExternalIPAddress", &external) !=
        UPNPCOMMAND_SUCCESS)
        return QString();
    return QString::fromLatin1(external);
}

Gateway::Added UpnpGateway::add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds)
{
    if (!m_found)
        return {};
    const auto addMapping = [&](const QByteArray &lease) {
        return soapCall(*m_urls, *m_data, "AddPortMapping",
                        {{"NewRemoteHost", {}},
                         {"NewExternalPort", QByteArray::number(externalPort)},
                         {"NewProtocol", "TCP"},
                         {"NewInternalPort", QByteArray::number(internalPort)},
                         {"NewInternalClient", m_lanAddress},
                         {"NewEnabled", "1"},
                         {"NewPortMappingDescription", kDescription},
                         {"NewLeaseDuration", lease}});
    };
    QByteArray lease = QByteArray::number(leaseSeconds);
    int code = addMapping(lease);
    if (code == kOnlyPermanentLeasesSupported) {
        lease = "0";
        code = addMapping(lease);
    }
    return {outcomeOf(code), externalPort, lease.toLongLong()};
}

void UpnpGateway::remove(quint16 internalPort, quint16 externalPort)
{
    Q_UNUSED(internalPort);
    if (!m_found)
        return;
    soapCall(*m_urls, *m_data, "DeletePortMapping",
             {{"NewRemoteHost", {}},
              {"NewExternalPort", QByteArray::number(externalPort)},
              {"NewProtocol", "TCP"}});
}

} // namespace tw
