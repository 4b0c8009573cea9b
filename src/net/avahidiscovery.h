#pragma once

#include "net/discovery.h"

#include <QByteArray>
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
// it and starts over. All of it runs from the Qt event loop.
class AvahiDiscovery : public GameDiscovery
{
    Q_OBJECT
public:
    // Service instances followed at once; later ones are not looked at until
    // others go, so that a flood of records costs bounded work.
    static constexpr int kMaxInstances = 128;

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
    void onResolved(AvahiServiceResolver *resolver, const InstanceKey &key,
                    std::optional<FoundGame> game);
    void report(const QString &serviceKey);

    AvahiClient *m_client = nullptr;
    AvahiEntryGroup *m_group = nullptr;
    AvahiServiceBrowser *m_browser = nullptr;
    GameAnnouncement m_announcement;
    QByteArray m_serviceName; // as published, after any renaming on a collision
    std::map<InstanceKey, Instance> m_instances;
    std::map<QString, FoundGame> m_reported; // by service key
};

} // namespace tw
