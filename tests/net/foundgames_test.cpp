// SPDX-License-Identifier: GPL-3.0-or-later
// The games found on the network as the address field lists them, driven by
// a fake discovery client, and the check every record passes first.
#include "net/foundgames.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tw;

namespace {

// Reports whatever the test tells it to, as a daemon would.
class FakeDiscovery : public GameDiscovery
{
public:
    std::vector<GameAnnouncement> announced;
    void announce(const GameAnnouncement &game) override { announced.push_back(game); }
    void found(const FoundGame &game) { emit gameFound(game); }
    void lost(const QString &key) { emit gameLost(key); }
};

FoundGame foundGame(const QString &name, int area = 10,
                    const QString &host = QStringLiteral("alpha"))
{
    return {QStringLiteral("local/") + name, name, area, host, QStringLiteral("10.77.0.1"), 8170};
}

QStringList rowsOf(const FoundGamesModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row).data().toString();
    return rows;
}

TEST(FoundGamesModelTest, NewestFirstChangesInPlaceAndGamesGo)
{
    FakeDiscovery discovery;
    FoundGamesModel model(&discovery);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_EQ(model.rowCount(), 0);

    discovery.found(foundGame(QStringLiteral("Ann")));
    discovery.found(foundGame(QStringLiteral("Bob"), 12, QString()));
    discovery.found(foundGame(QStringLiteral("Cid"), 15, QStringLiteral("gamma.local")));
    EXPECT_EQ(rowsOf(model), (QStringList{QStringLiteral("Cid (15), gamma.local"),
                                          QStringLiteral("Bob (12), 10.77.0.1"),
                                          QStringLiteral("Ann (10), alpha")}));
    EXPECT_EQ(model.index(1).data(FoundGamesModel::AddressRole).toString(),
              QStringLiteral("10.77.0.1"));
    EXPECT_EQ(model.index(1).data(FoundGamesModel::PortRole).toInt(), 8170);

    // Bob changes his area size: same key, same place, one change.
    discovery.found(foundGame(QStringLiteral("Bob"), 11, QString()));
    EXPECT_EQ(model.index(1).data().toString(), QStringLiteral("Bob (11), 10.77.0.1"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    discovery.found(foundGame(QStringLiteral("Bob"), 11, QString())); // the same again
    EXPECT_EQ(changed.size(), 1);

    discovery.lost(QStringLiteral("local/Bob"));
    discovery.lost(QStringLiteral("local/Nobody"));
    EXPECT_EQ(rowsOf(model), (QStringList{QStringLiteral("Cid (15), gamma.local"),
                                          QStringLiteral("Ann (10), alpha")}));
    // A game that comes back is new again.
    discovery.found(foundGame(QStringLiteral("Bob"), 11, QString()));
    EXPECT_EQ(model.index(0).data(FoundGamesModel::PlayerNameRole).toString(),
              QStringLiteral("Bob"));
}

TEST(FoundGamesModelTest, AFloodKeepsTheNewestGamesOnly)
{
    FoundGamesModel model;
    for (int i = 0; i < 1000; ++i)
        model.addGame(foundGame(QStringLiteral("P") + QString::number(i)));
    ASSERT_EQ(model.rowCount(), FoundGamesModel::kMaxGames);
    EXPECT_EQ(model.game(0).playerName, QStringLiteral("P999"));
    EXPECT_EQ(model.game(FoundGamesModel::kMaxGames - 1).playerName,
              QStringLiteral("P") + QString::number(1000 - FoundGamesModel::kMaxGames));
    for (int i = 0; i < 1000; ++i)
        model.removeGame(QStringLiteral("local/P") + QString::number(i));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.index(0).data().isValid());
}

RawGameRecord serviceRecord(QByteArray name, QByteArray area = "10")
{
    return {QStringLiteral("local/x"),
            std::move(name),
            std::move(area),
            "alpha.local.",
            QStringLiteral("10.77.0.2"),
            8170};
}

TEST(CheckedGameTest, OddAndHostileRecordsAreSkippedOrShownSafely)
{
    const struct
    {
        const char *what;
        RawGameRecord record;
        bool shown;
    } cases[] = {
        {"plain", serviceRecord("Ann"), true},
        {"cyrillic", serviceRecord("Вася", "15"), true},
        {"32 characters", serviceRecord(QByteArray(32, 'a')), true},
        {"33 characters", serviceRecord(QByteArray(33, 'a')), false},
        {"64 KiB", serviceRecord(QByteArray(64 * 1024, 'a')), false},
        {"field separator", serviceRecord("Ann|C|x"), false},
        {"control character", serviceRecord("Ann\nBob"), false},
        {"escape", serviceRecord("Ann\x1b[2J"), false},
        {"nul", serviceRecord(QByteArray("Ann\0x", 5)), false},
        {"bad UTF-8", serviceRecord("Ann\xff"), false},
        {"blank", serviceRecord("   "), false},
        {"empty", serviceRecord(""), false},
        {"area 99", serviceRecord("Ann", "99"), false},
        {"area 9", serviceRecord("Ann", "9"), false},
        {"area 16", serviceRecord("Ann", "16"), false},
        {"area 010", serviceRecord("Ann", "010"), false},
        {"area +1", serviceRecord("Ann", "+1"), false},
        {"no area", serviceRecord("Ann", ""), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(checkedGame(c.record).has_value(), c.shown) << c.what;

    const auto game = checkedGame(serviceRecord("Ann", "12"));
    ASSERT_TRUE(game);
    EXPECT_EQ(game->areaSize, 12);
    EXPECT_EQ(game->hostName, QStringLiteral("alpha.local"));

    RawGameRecord odd = serviceRecord("Ann");
    odd.hostName = "evil\x07host";
    odd.address = QStringLiteral("::ffff:10.77.0.2");
    const auto shown = checkedGame(odd);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->hostName, QString()); // shown by address instead
    EXPECT_EQ(shown->address, QStringLiteral("10.77.0.2"));

    for (const QString &address :
         {QString(), QStringLiteral("not an address"), QStringLiteral("10.77.0.2; rm -rf")}) {
        RawGameRecord bad = serviceRecord("Ann");
        bad.address = address;
        EXPECT_FALSE(checkedGame(bad)) << address.toStdString();
    }
    for (const int port : {0, -1, 65536}) {
        RawGameRecord bad = serviceRecord("Ann");
        bad.port = port;
        EXPECT_FALSE(checkedGame(bad)) << port;
    }
}

} // namespace
