// SPDX-License-Identifier: GPL-3.0-or-later
#include "ownaddress.h"

#include "match/gamestate.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace tw {

OwnAddress describeOwnAddress(const PortMapState &state, bool mappingOn, quint16 listeningPort,
                              const QString &globalIpv6, const Settings &settings)
{
    const Catalogue &texts = catalogueOf(settings);
    using Phase = PortMapState::Phase;
    if (mappingOn && state.phase == Phase::Mapped && !state.externalAddress.isEmpty()) {
        const QString address = state.externalAddress + u':' + QString::number(state.externalPort);
        if (state.behindAnotherNat)
            return {
                texts.translate("OwnAddress", "Behind another NAT: %1").arg(address),
                texts.translate("OwnAddress",
                                "Your router is itself behind another router (your provider's), so "
                                "nobody on the internet reaches this address. Let your friend give "
                                "you theirs: one side that can be reached is enough."),
                address};
        const QString explanation =
            state.externalPort == listeningPort
                ? QString()
                : texts.translate(
                      "OwnAddress",
                      "The game's port is taken on your router; it gave this one instead.");
        return {texts.translate("OwnAddress", "Your address: %1").arg(address), explanation,
                address};
    }
    if (!globalIpv6.isEmpty()) {
        const QString address =
            u'[' + globalIpv6 + QStringLiteral("]:") + QString::number(listeningPort);
        return {texts.translate("OwnAddress", "Your address: %1").arg(address),
                texts.translate("OwnAddress", "This computer's own internet (IPv6) address."),
                address};
    }
    if (!mappingOn)
        return {texts.translate("OwnAddress", "Opening the port is off"), {}, {}};
    switch (state.phase) {
    case Phase::Idle:
    case Phase::Searching:
        return {texts.translate("OwnAddress", "Your address: asking the router..."), {}, {}};
    case Phase::Mapped:
        return {
            texts.translate("OwnAddress", "Your port on the router: %1").arg(state.externalPort),
            texts.translate("OwnAddress", "The router did not tell its address."),
            {}};
    case Phase::Failed:
        break;
    }
    const QString help =
        texts.translate("OwnAddress", "Your friend can still reach you if their router opens its "
                                      "port: give them nothing and connect to them.");
    switch (state.failure) {
    case PortMapState::Failure::NoGateway:
        return {texts.translate("OwnAddress", "No router answered: no port opened"), help, {}};
    case PortMapState::Failure::PortTaken:
        return {texts.translate("OwnAddress", "The router's ports are all taken"), help, {}};
    case PortMapState::Failure::Refused:
    case PortMapState::Failure::None:
        break;
    }
    return {texts.translate("OwnAddress", "The router refused to open the port"), help, {}};
}

std::optional<OwnAddress> describeListenFailure(PeerLink::ListenFailure failure, int port,
                                                const Settings &settings)
{
    const Catalogue &texts = catalogueOf(settings);
    using Failure = PeerLink::ListenFailure;
    switch (failure) {
    case Failure::None:
    case Failure::NoTcpPort:
        return std::nullopt;
    case Failure::InUse:
        return OwnAddress{
            texts.translate("OwnAddress", "Port %1 is taken by another program")
                .arg(port),
            texts.translate(
                "OwnAddress",
                "Another program on this computer already uses TCP port %1, so nobody can connect "
                "to the game and the router is not asked to open it. Close that program: the game "
                "takes the port as soon as it is free. Or enter another port and connect.")
                .arg(port),
            {}};
    case Failure::NotAllowed:
        return OwnAddress{
            texts.translate("OwnAddress", "The game cannot listen on port %1")
                .arg(port),
            texts.translate(
                "OwnAddress", "The system keeps ports below 1024 for itself. Enter a port from "
                              "1024 to 65535 and connect."),
            {}};
    case Failure::Other:
        break;
    }
    return OwnAddress{
        texts.translate("OwnAddress", "The game cannot listen on port %1").arg(port),
        {},
        {}};
}

QString findGlobalIpv6()
{
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() != QAbstractSocket::IPv6Protocol || address.isLoopback() ||
            address.isLinkLocal() || address.isUniqueLocalUnicast() || address.isSiteLocal() ||
            !address.isGlobal())
            continue;
        return address.toString();
    }
    return {};
}

} // namespace tw
