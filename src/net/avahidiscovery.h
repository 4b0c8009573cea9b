// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/discovery.h"

#include <QByteArray>
#include <deque>
#include <map>
#include <tuple>

struct AvahiClient;
struct AvahiEntryGroup;
struct AvahiServiceBrowser;
struct AvahiServiceResolver;

namespace tw {

// Discovery through the machine's Avahi daemon, on the system bus. Publishes
// the game as "<player> (<area size>)" of type _tarnwake._tcp with the TXT
// record "name=", "area=" (so a change of either is a new instance, which
// every browser sees as such), and browses for the others. Without a system
// bus it does nothing; when the daemon is missing or goes away it waits for
// it and starts over. All of it runs from the Qt event loop; only making the
// client (at start, and after the daemon went away) waits for a few answers
// of the local system bus, as libavahi-client does.
class AvahiDiscovery : public GameDiscovery
{
    Q_OBJECT
public:
    // Bounds on a flood of records: instances being resolved or followed at
    // once (more wait their turn, in order), and instances known at all (a
    // record unfit to show is known but not followed; beyond this bound new
    // ones are not looked at).
    static constexpr int kMaxResolvers = 128;
    static constexpr int kMaxInstances = 4096;

    explicit AvahiDiscovery(QObject *parent = nullptr);
    // Withdraws the announcement.
    ~AvahiDiscovery() override;

    void announce(const GameAnnouncement &game) override;

private:
    // One instance as one interface and one protocol see it.
    using InstanceKey = std::tuple<int, int, QByteArray, QByteArray>; // if, proto, name, domain
    struct Instance
    {
        AvahiServiceResolver *resolver = nullptr;
        std::optional<FoundGame> game;
        bool waiting = false; // for a resolver
    };

    void startClient();
    void stopClient();
    // Frees every group, browser and resolver; the games found are lost.
    void dropLookups();
    void onClientState(AvahiClient *client, int state);
    void onGroupState(int state);
    void publish();
    void startBrowsing();
    void onBrowse(int interface, int protocol, int event, const char *name, const char *domain,
                  int flags);
    void startResolver(const InstanceKey &key);
    // A resolver was freed: starts the next waiting instance's.
    void resolverDone();
    void onResolved(AvahiServiceResolver *resolver, const InstanceKey &key,
                    std::optional<FoundGame> game);
    void report(const QString &serviceKey);

    AvahiClient *m_client = nullptr;
    AvahiEntryGroup *m_group = nullptr;
    AvahiServiceBrowser *m_browser = nullptr;
    GameAnnouncement m_announcement;
    QByteArray m_serviceName; // as published, after any renaming on a collision
    std::map<InstanceKey, Instance> m_instances;
    int m_resolvers = 0;                     // live resolvers in m_instances
    std::deque<InstanceKey> m_waiting;       // for a resolver, in order
    std::map<QString, FoundGame> m_reported; // by service key
};

} // namespace tw
