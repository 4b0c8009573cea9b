// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/gateway.h"

#include <QByteArray>
#include <memory>

struct UPNPUrls;
struct IGDdatas;

namespace tw {

// UPnP-IGD through miniupnpc. Only a device on this machine's default IPv4
// gateway is used: a description or control address that points anywhere
// else is never fetched, whatever answers the multicast search.
class UpnpGateway : public Gateway
{
public:
    // How long the multicast search waits for answers.
    static constexpr int kSearchMilliseconds = 1000;

    UpnpGateway();
    ~UpnpGateway() override;

    PortMapState::Method method() const override { return PortMapState::Method::Upnp; }
    std::optional<QString> find() override;
    Added add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds) override;
    void remove(quint16 internalPort, quint16 externalPort) override;

private:
    void release();

    std::unique_ptr<UPNPUrls> m_urls;
    std::unique_ptr<IGDdatas> m_data;
    bool m_found = false;
    QByteArray m_lanAddress; // ours, as the gateway sees it
};

} // namespace tw
