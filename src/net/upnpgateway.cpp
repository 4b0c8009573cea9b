// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/upnpgateway.h"

#include "net/peeraddress.h"

#include <arpa/inet.h>
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
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
        char lanAddress[64] = {};
        *m_data = {};
        // Connected or not: the connection state a gateway reports says
        // nothing about whether a mapping works (behind another NAT it does).
        if (UPNP_GetIGDFromUrl(device->descURL, m_urls.get(), m_data.get(), lanAddress,
                               sizeof lanAddress) != 1)
            continue;
        m_found = true;
        if (!onGateway(m_urls->controlURL, *gateway) || !m_data->first.servicetype[0] ||
            !parseIpv4(QString::fromLatin1(lanAddress)))
            release();
        else
            m_lanAddress = QByteArray(lanAddress);
    }
    freeUPNPDevlist(devices);
    if (!m_found)
        return std::nullopt;
    char external[40] = {};
    if (UPNP_GetExternalIPAddress(m_urls->controlURL, m_data->first.servicetype, external) !=
        UPNPCOMMAND_SUCCESS)
        return QString();
    return QString::fromLatin1(external, qstrnlen(external, sizeof external - 1));
}

Gateway::Added UpnpGateway::add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds)
{
    if (!m_found)
        return {};
    const QByteArray external = QByteArray::number(externalPort);
    const QByteArray internal = QByteArray::number(internalPort);
    QByteArray lease = QByteArray::number(leaseSeconds);
    int code = UPNP_AddPortMapping(
        m_urls->controlURL, m_data->first.servicetype, external.constData(), internal.constData(),
        m_lanAddress.constData(), kDescription, "TCP", nullptr, lease.constData());
    if (code == kOnlyPermanentLeasesSupported) {
        lease = "0";
        code = UPNP_AddPortMapping(m_urls->controlURL, m_data->first.servicetype,
                                   external.constData(), internal.constData(),
                                   m_lanAddress.constData(), kDescription, "TCP", nullptr, "0");
    }
    return {outcomeOf(code), externalPort, lease.toLongLong()};
}

void UpnpGateway::remove(quint16 internalPort, quint16 externalPort)
{
    Q_UNUSED(internalPort);
    if (!m_found)
        return;
    const QByteArray external = QByteArray::number(externalPort);
    UPNP_DeletePortMapping(m_urls->controlURL, m_data->first.servicetype, external.constData(),
                           "TCP", nullptr);
}

} // namespace tw
