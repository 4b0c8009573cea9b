// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/avahidiscovery.h"

#include "net/avahipoll.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTimer>
#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-client/publish.h>
#include <avahi-common/address.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>

namespace tw {

namespace {

// The longest DNS-SD instance name, in bytes.
constexpr int kMaxServiceName = 63;
// When the daemon connection fails for good, a new one is tried after this.
constexpr int kRestartMs = 5000;

// "<player> (<area size>)", the player's name shortened to fit whole
// characters into the byte limit of an instance name.
QByteArray serviceName(const GameAnnouncement &game)
{
    const QByteArray area = " (" + QByteArray::number(game.areaSize) + ')';
    QString player = game.playerName;
    while (!player.isEmpty() && player.toUtf8().size() + area.size() > kMaxServiceName)
        player.chop(1);
    return player.toUtf8() + area;
}

// The value of "key=value" in a TXT record; empty when it is missing.
QByteArray txtValue(AvahiStringList *txt, const char *key)
{
    AvahiStringList *item = avahi_string_list_find(txt, key);
    if (!item)
        return {};
    const QByteArray entry(reinterpret_cast<const char *>(item->text),
                           static_cast<qsizetype>(item->size));
    const qsizetype equals = entry.indexOf('=');
    return equals < 0 ? QByteArray() : entry.mid(equals + 1);
}

QString keyOfService(const QByteArray &name, const QByteArray &domain)
{
    return QString::fromUtf8(domain) + u'/' + QString::fromUtf8(name);
}

// Order of preference among one game's addresses: IPv6 other than
// link-local, then IPv4, then link-local IPv6.
int rank(const FoundGame &game)
{
    const QHostAddress address(game.address);
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return 1;
    return address.isLinkLocal() ? 2 : 0;
}

} // namespace

AvahiDiscovery::AvahiDiscovery(QObject *parent) : GameDiscovery(parent)
{
    startClient();
}

AvahiDiscovery::~AvahiDiscovery()
{
    stopClient();
}

void AvahiDiscovery::startClient()
{
    // Called back from inside avahi_client_new() already, before m_client is
    // set: the callback uses the client it is given.
    const AvahiClientCallback callback = [](AvahiClient *client, AvahiClientState state,
                                            void *self) {
        static_cast<AvahiDiscovery *>(self)->onClientState(client, state);
    };
    int error = 0;
    // No daemon yet is no failure: the client waits for one. No system bus is.
    m_client = avahi_client_new(qtAvahiPoll(), AVAHI_CLIENT_NO_FAIL, callback, this, &error);
}

void AvahiDiscovery::stopClient()
{
    dropLookups();
    if (m_client)
        avahi_client_free(m_client);
    m_client = nullptr;
}

void AvahiDiscovery::dropLookups()
{
    for (auto &[key, instance] : m_instances)
        if (instance.resolver)
            avahi_service_resolver_free(instance.resolver);
    m_instances.clear();
    m_waiting.clear();
    m_resolvers = 0;
    if (m_browser)
        avahi_service_browser_free(m_browser);
    m_browser = nullptr;
    if (m_group)
        avahi_entry_group_free(m_group); // withdraws the announcement
    m_group = nullptr;
    const auto reported = std::exchange(m_reported, {});
    for (const auto &[key, game] : reported)
        emit gameLost(key);
}

void AvahiDiscovery::onClientState(AvahiClient *client, int state)
{
    m_client = client;
    switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
        publish();
        startBrowsing();
        break;
    case AVAHI_CLIENT_S_COLLISION:
    case AVAHI_CLIENT_S_REGISTERING:
        // The host name changes; the daemon runs again afterwards.
        if (m_group)
            avahi_entry_group_reset(m_group);
        break;
    case AVAHI_CLIENT_CONNECTING:
        break; // no daemon yet; S_RUNNING follows when one starts
    case AVAHI_CLIENT_FAILURE:
        // The daemon or the bus went away (or the client could not start).
        // Not from inside the client's own callback: later, from the loop.
        // A client that failed inside avahi_client_new() is freed there
        // already (no system bus): then nothing is tried again.
        QTimer::singleShot(0, this, [this, client] {
            if (m_client != client)
                return;
            stopClient();
            QTimer::singleShot(kRestartMs, this, [this] {
                if (!m_client)
                    startClient();
            });
        });
        break;
    default:
        break;
    }
}

void AvahiDiscovery::announce(const GameAnnouncement &game)
{
    if (game == m_announcement)
        return;
    const bool renamed = serviceName(game) != serviceName(m_announcement);
    m_announcement = game;
    if (renamed || m_serviceName.isEmpty())
        m_serviceName = serviceName(game);
    publish();
}

void AvahiDiscovery::publish()
{
    if (!m_client || avahi_client_get_state(m_client) != AVAHI_CLIENT_S_RUNNING)
        return; // published once the daemon runs
    if (m_group) {
        avahi_entry_group_reset(m_group);
    } else {
        const AvahiEntryGroupCallback callback = [](AvahiEntryGroup *, AvahiEntryGroupState state,
                                                    void *self) {
            static_cast<AvahiDiscovery *>(self)->onGroupState(state);
        };
        m_group = avahi_entry_group_new(m_client, callback, this);
        if (!m_group)
            return;
    }
    if (m_announcement.port <= 0 || m_announcement.port > 65535)
        return; // withdrawn
    const QByteArray name = "name=" + m_announcement.playerName.toUtf8();
    const QByteArray area = "area=" + QByteArray::number(m_announcement.areaSize);
    // A name taken by another game on the network is renamed "... #2" and on.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int result = avahi_entry_group_add_service(
            m_group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0),
            m_serviceName.constData(), kGameServiceType, nullptr, nullptr,
            static_cast<uint16_t>(m_announcement.port), name.constData(), area.constData(),
            static_cast<const char *>(nullptr));
        if (result != AVAHI_ERR_COLLISION) {
            if (result == AVAHI_OK)
                avahi_entry_group_commit(m_group);
            return;
        }
        char *other = avahi_alternative_service_name(m_serviceName.constData());
        m_serviceName = other;
        avahi_free(other);
    }
}

void AvahiDiscovery::onGroupState(int state)
{
    if (state != AVAHI_ENTRY_GROUP_COLLISION)
        return;
    char *other = avahi_alternative_service_name(m_serviceName.constData());
    m_serviceName = other;
    avahi_free(other);
    // Not from inside the group's own callback.
    QTimer::singleShot(0, this, [this] { publish(); });
}

void AvahiDiscovery::startBrowsing()
{
    if (m_browser)
        return;
    const AvahiServiceBrowserCallback callback =
        [](AvahiServiceBrowser *, AvahiIfIndex interface, AvahiProtocol protocol,
           AvahiBrowserEvent event, const char *name, const char *, const char *domain,
           AvahiLookupResultFlags flags, void *self) {
            static_cast<AvahiDiscovery *>(self)->onBrowse(interface, protocol, event, name, domain,
                                                          flags);
        };
    m_browser =
        avahi_service_browser_new(m_client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, kGameServiceType,
                                  nullptr, AvahiLookupFlags(0), callback, this);
}

void AvahiDiscovery::onBrowse(int interface, int protocol, int event, const char *name,
                              const char *domain, int flags)
{
    if (event != AVAHI_BROWSER_NEW && event != AVAHI_BROWSER_REMOVE)
        return;
    if (!name || !domain || (flags & AVAHI_LOOKUP_RESULT_OUR_OWN))
        return;
    const InstanceKey key{interface, protocol, QByteArray(name), QByteArray(domain)};
    if (event == AVAHI_BROWSER_REMOVE) {
        const auto it = m_instances.find(key);
        if (it == m_instances.end())
            return;
        const bool resolving = it->second.resolver != nullptr;
        if (resolving)
            avahi_service_resolver_free(it->second.resolver);
        m_instances.erase(it);
        report(keyOfService(std::get<2>(key), std::get<3>(key)));
        if (resolving)
            resolverDone();
        return;
    }
    if (m_instances.count(key) || m_instances.size() >= kMaxInstances)
        return;
    Instance &instance = m_instances[key];
    if (m_resolvers >= kMaxResolvers) {
        instance.waiting = true; // until a resolver is free (resolverDone())
        m_waiting.push_back(key);
        return;
    }
    startResolver(key);
}

void AvahiDiscovery::resolverDone()
{
    --m_resolvers;
    while (m_resolvers < kMaxResolvers && !m_waiting.empty()) {
        const InstanceKey key = m_waiting.front();
        m_waiting.pop_front();
        const auto it = m_instances.find(key);
        if (it == m_instances.end() || !it->second.waiting)
            continue; // gone meanwhile
        it->second.waiting = false;
        startResolver(key);
    }
}

void AvahiDiscovery::startResolver(const InstanceKey &key)
{
    // The resolver stays until the instance goes, and answers again when the
    // instance's records change. Each protocol's instance is asked for an
    // address of its own family, so a game on both gives both, and the IPv6
    // one is preferred (report()).
    const AvahiServiceResolverCallback callback =
        [](AvahiServiceResolver *resolver, AvahiIfIndex iface, AvahiProtocol proto,
           AvahiResolverEvent what, const char *service, const char *, const char *zone,
           const char *hostName, const AvahiAddress *address, uint16_t port, AvahiStringList *txt,
           AvahiLookupResultFlags, void *self) {
            const InstanceKey instance{iface, proto, QByteArray(service), QByteArray(zone)};
            auto *discovery = static_cast<AvahiDiscovery *>(self);
            if (what != AVAHI_RESOLVER_FOUND || !address) {
                discovery->onResolved(resolver, instance, std::nullopt);
                return;
            }
            char text[AVAHI_ADDRESS_STR_MAX] = {};
            avahi_address_snprint(text, sizeof text, address);
            QHostAddress ip(QString::fromLatin1(text));
            if (ip.protocol() == QAbstractSocket::IPv6Protocol && ip.isLinkLocal())
                ip.setScopeId(QNetworkInterface::interfaceNameFromIndex(iface));
            RawGameRecord record;
            record.key = keyOfService(QByteArray(service), QByteArray(zone));
            record.name = txtValue(txt, "name");
            record.area = txtValue(txt, "area");
            record.hostName = hostName;
            record.address = ip.toString();
            record.port = port;
            discovery->onResolved(resolver, instance, checkedGame(record));
        };
    const auto &[interface, protocol, name, domain] = key;
    AvahiServiceResolver *resolver = avahi_service_resolver_new(
        m_client, interface, protocol, name.constData(), kGameServiceType, domain.constData(),
        protocol, AvahiLookupFlags(0), callback, this);
    if (!resolver)
        return;
    m_instances[key].resolver = resolver;
    ++m_resolvers;
}

void AvahiDiscovery::onResolved(AvahiServiceResolver *resolver, const InstanceKey &key,
                                std::optional<FoundGame> game)
{
    const auto it = m_instances.find(key);
    if (it == m_instances.end() || it->second.resolver != resolver)
        return; // gone, or a resolver given up
    // An instance unfit to show (or that cannot be resolved) is not followed
    // any further: it keeps no resolver busy.
    const bool done = !game;
    if (done) {
        avahi_service_resolver_free(resolver);
        it->second.resolver = nullptr;
    }
    it->second.game = std::move(game);
    report(keyOfService(std::get<2>(key), std::get<3>(key)));
    if (done)
        resolverDone();
}

// Tells the list about one service: the best of what its instances say, or
// that it is gone.
void AvahiDiscovery::report(const QString &serviceKey)
{
    const FoundGame *best = nullptr;
    for (const auto &[key, instance] : m_instances) {
        if (!instance.game || keyOfService(std::get<2>(key), std::get<3>(key)) != serviceKey)
            continue;
        if (!best || rank(*instance.game) < rank(*best))
            best = &*instance.game;
    }
    const auto reported = m_reported.find(serviceKey);
    if (!best) {
        if (reported != m_reported.end()) {
            m_reported.erase(reported);
            emit gameLost(serviceKey);
        }
        return;
    }
    if (reported != m_reported.end() && reported->second == *best)
        return;
    const FoundGame game = *best;
    m_reported[serviceKey] = game;
    emit gameFound(game);
}

} // namespace tw
