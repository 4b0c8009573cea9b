// SPDX-License-Identifier: GPL-3.0-or-later
#include "ownaddress.h"

#include "match/gamestate.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkInterface>

namespace tw {

OwnAddress describeOwnAddress(const PortMapState &state, bool mappingOn, quint16 listeningPort,
                              const QString &globalIpv6, const Settings &settings)
{
    const auto text = [&settings](const char *english, const char *russian) {
        return localized(settings, english, russian);
    };
    using Phase = PortMapState::Phase;
    if (mappingOn && state.phase == Phase::Mapped && !state.externalAddress.isEmpty()) {
        const QString address = state.externalAddress + u':' + QString::number(state.externalPort);
        if (state.behindAnotherNat)
            return {text("Behind another NAT: ", "За вторым NAT: ") + address,
                    text("Your router is itself behind another router (your provider's), so "
                         "nobody on the internet reaches this address. Let your friend give "
                         "you theirs: one side that can be reached is enough.",
                         "Ваш роутер сам стоит за другим роутером (провайдера), и из интернета "
                         "этот адрес недоступен. Пусть адрес даст ваш друг: достаточно, чтобы "
                         "доступна была одна сторона."),
                    address};
        const QString explanation =
            state.externalPort == listeningPort
                ? QString()
                : text("The game's port is taken on your router; it gave this one instead.",
                       "Порт игры на роутере занят; роутер дал вместо него этот.");
        return {text("Your address: ", "Ваш адрес: ") + address, explanation, address};
    }
    if (!globalIpv6.isEmpty()) {
        const QString address =
            u'[' + globalIpv6 + QStringLiteral("]:") + QString::number(listeningPort);
        return {text("Your address: ", "Ваш адрес: ") + address,
                text("This computer's own internet (IPv6) address.",
                     "Собственный интернет-адрес (IPv6) этого компьютера."),
                address};
    }
    if (!mappingOn)
        return {text("Opening the port is off", "Открытие порта выключено"), {}, {}};
    switch (state.phase) {
    case Phase::Idle:
    case Phase::Searching:
        return {
            text("Your address: asking the router...", "Ваш адрес: спрашиваем роутер..."), {}, {}};
    case Phase::Mapped:
        return {text("Your port on the router: ", "Ваш порт на роутере: ") +
                    QString::number(state.externalPort),
                text("The router did not tell its address.", "Роутер не сообщил свой адрес."),
                {}};
    case Phase::Failed:
        break;
    }
    const QString help = text("Your friend can still reach you if their router opens its port: "
                              "give them nothing and connect to them.",
                              "Друг всё равно сможет играть с вами, если его роутер откроет порт: "
                              "подключитесь к нему сами.");
    switch (state.failure) {
    case PortMapState::Failure::NoGateway:
        return {text("No router answered: no port opened", "Роутер не ответил: порт не открыт"),
                help,
                {}};
    case PortMapState::Failure::PortTaken:
        return {text("The router's ports are all taken", "Все порты роутера заняты"), help, {}};
    case PortMapState::Failure::Refused:
    case PortMapState::Failure::None:
        break;
    }
    return {text("The router refused to open the port", "Роутер отказался открыть порт"), help, {}};
}

std::optional<OwnAddress> describeListenFailure(PeerLink::ListenFailure failure, int port)
{
    // Written for lupdate, which reads only literal calls.
    using Failure = PeerLink::ListenFailure;
    switch (failure) {
    case Failure::None:
    case Failure::NoTcpPort:
        return std::nullopt;
    case Failure::InUse:
        return OwnAddress{
            QCoreApplication::translate("OwnAddress", "Port %1 is taken by another program")
                .arg(port),
            QCoreApplication::translate(
                "OwnAddress",
                "Another program on this computer already uses TCP port %1, so nobody can connect "
                "to the game and the router is not asked to open it. Close that program: the game "
                "takes the port as soon as it is free. Or enter another port and connect.")
                .arg(port),
            {}};
    case Failure::NotAllowed:
        return OwnAddress{
            QCoreApplication::translate("OwnAddress", "The game cannot listen on port %1")
                .arg(port),
            QCoreApplication::translate(
                "OwnAddress", "The system keeps ports below 1024 for itself. Enter a port from "
                              "1024 to 65535 and connect."),
            {}};
    case Failure::Other:
        break;
    }
    return OwnAddress{
        QCoreApplication::translate("OwnAddress", "The game cannot listen on port %1").arg(port),
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
