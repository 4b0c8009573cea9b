// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/gateway.h"

namespace tw {

// NAT-PMP through libnatpmp, to the default IPv4 gateway only (the library
// drops answers from anywhere else).
class NatPmpGateway : public Gateway
{
public:
    // How long one request waits for its answer, retries included; the
    // library's own schedule would wait over a minute.
    static constexpr int kAnswerMilliseconds = 2000;

    PortMapState::Method method() const override { return PortMapState::Method::NatPmp; }
    std::optional<QString> find() override;
    Added add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds) override;
    void remove(quint16 internalPort, quint16 externalPort) override;
};

} // namespace tw
