// SPDX-License-Identifier: GPL-3.0-or-later
// Music per mode and the sound effects, against recording devices: which
// track plays when, what the switches do, and that every random draw is made
// whatever the switches say.
#include "audio/audio.h"
#include "fakes.h"
#include "match/cues.h"
#include "match/gamestate.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tw;
using test::FakeMusic;
using test::FakeSound;

namespace {

constexpr std::uint32_t Seed = 2024;

class MusicTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        audio.setMusicDirectory(m_dir.path() + u'/');
        ASSERT_TRUE(audio.extractMusic());
    }

    // The track the next pickTrack will choose, drawn from a twin of the
    // game's generator so that both stay in step.
    QString twinPick(bool inGame)
    {
        return inGame ? QStringLiteral("GAME%1").arg(twin.randInt(9) + 1)
                      : QStringLiteral("MAIN%1").arg(twin.randInt(1) + 1);
    }

    // True when the game's generator and its twin have made the same draws.
    bool inStep()
    {
        Random a = random;
        Random b = twin;
        return a.randInt(1'000'000) == b.randInt(1'000'000);
    }

    QTemporaryDir m_dir;
    Settings settings;
    FakeMusic music;
    FakeSound sound;
    Random random{Seed};
    Random twin{Seed};
    Audio audio{settings, music, sound, random};
};

QString fileOf(int n)
{
    return QStringLiteral("open twkm%1.mid").arg(n);
}

QString fileOf(const QString &track)
{
    for (int n = 1; n <= 13; ++n)
        if (track.toUpper() == QLatin1String(MusicTracks[n - 1]))
            return fileOf(n);
    return {};
}

TEST_F(MusicTest, EachTrackPlaysItsOwnFile)
{
    const struct
    {
        const char *asked;
        const char *current;
        int file;
    } cases[] = {
        {"game1", "GAME1", 1},  {"Game5", "GAME5", 5},  {"game9", "GAME9", 9},
        {"loose", "LOOSE", 10}, {"main1", "MAIN1", 11}, {"WIN", "WIN", 12},
        {"logo", "LOGO", 13},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked);
        music.calls.clear();
        audio.playMusic(QString::fromLatin1(c.asked));
        EXPECT_EQ(audio.currentTrack(), QLatin1String(c.current));
        ASSERT_GE(music.calls.size(), 2);
        EXPECT_EQ(music.calls.mid(music.calls.size() - 2), QStringList({fileOf(c.file), "play"}));
    }
}

TEST_F(MusicTest, ChangingTrackStopsAndClosesTheOldOneFirst)
{
    audio.playMusic(QStringLiteral("game1"));
    music.calls.clear();
    audio.playMusic(QStringLiteral("game2"));
    EXPECT_EQ(music.calls, QStringList({"stop", "close", fileOf(2), "play"}));

    // A finished track is closed without a stop.
    music.finish();
    music.calls.clear();
    audio.playMusic(QStringLiteral("game3"));
    EXPECT_EQ(music.calls, QStringList({"close", fileOf(3), "play"}));
}

TEST_F(MusicTest, AskingForTheCurrentTrackAgainDoesNothingEvenWhenFinished)
{
    audio.playMusic(QStringLiteral("game4"));
    music.calls.clear();
    audio.playMusic(QStringLiteral("GAME4"));
    music.finish();
    audio.playMusic(QStringLiteral("game4"));
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_EQ(music.mode(), MusicDevice::Mode::Stopped);
}

TEST_F(MusicTest, TrackWithoutAPlayableFileKeepsItsNameAndStaysSilent)
{
    ASSERT_TRUE(QFile::remove(audio.musicFile(5)));
    const struct
    {
        const char *asked;
        bool failOpen;
        QStringList expected;
    } cases[] = {
        {"game5", false, {"stop", "close"}},           // its file is missing
        {"main2", false, {"stop", "close"}},           // no such track
        {"game6", true, {"stop", "close", fileOf(6)}}, // the player cannot open it
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked);
        audio.playMusic(QStringLiteral("game1"));
        music.failOpen = c.failOpen;
        music.calls.clear();
        audio.playMusic(QString::fromLatin1(c.asked));
        EXPECT_EQ(music.calls, c.expected);
        EXPECT_EQ(audio.currentTrack(), QString::fromLatin1(c.asked).toUpper());
        music.calls.clear();
        audio.playMusic(QString::fromLatin1(c.asked));
        EXPECT_TRUE(music.calls.isEmpty());
        music.failOpen = false;
    }
}

TEST_F(MusicTest, MusicOffStopsAndForgetsAndOnStartsAFreshPick)
{
    audio.playMusic(QStringLiteral("game7"));

    // The music switch turned off.
    settings.musicOn = false;
    music.calls.clear();
    audio.stopMusic();
    EXPECT_EQ(music.calls, QStringList({"stop", "close"}));
    EXPECT_TRUE(audio.currentTrack().isEmpty());

    music.calls.clear();
    audio.playMusic(QStringLiteral("game8"));
    audio.stopMusic(); // nothing open: the player is not touched
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_TRUE(audio.currentTrack().isEmpty());

    // And on again, during a match: a track drawn afresh, even the old one.
    settings.musicOn = true;
    const QString expected = twinPick(true);
    audio.playMusic(audio.pickTrack(true));
    EXPECT_EQ(audio.currentTrack(), expected);
    EXPECT_EQ(music.calls, QStringList({fileOf(expected), "play"}));
}

TEST_F(MusicTest, WithMusicOffPlayMusicDoesNotEvenStop)
{
    audio.playMusic(QStringLiteral("game1"));
    settings.musicOn = false;
    music.calls.clear();
    audio.playMusic(QStringLiteral("game2"));
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_EQ(music.mode(), MusicDevice::Mode::Playing);
    EXPECT_EQ(audio.currentTrack(), QStringLiteral("GAME1"));
}

TEST_F(MusicTest, UpkeepLeavesAPlayingTrackAloneAndDrawsNothing)
{
    audio.playMusic(QStringLiteral("game2"));
    music.calls.clear();
    for (int tick = 0; tick < 5; ++tick)
        audio.musicUpkeep(true);
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_TRUE(inStep());
}

TEST_F(MusicTest, FinishedGameTrackIsFollowedByAFreshDrawWithinATickOrAFew)
{
    for (const bool endAsPlaying : {false, true}) {
        SCOPED_TRACE(endAsPlaying ? "player reports the end as playing" : "player stops");
        music.reportsEndAsPlaying = endAsPlaying;
        audio.stopMusic();
        audio.playMusic(QStringLiteral("game1"));
        for (int track = 0; track < 20; ++track) {
            music.finish();
            const QString finished = audio.currentTrack();
            int ticks = 0;
            while (audio.currentTrack() == finished) {
                ASSERT_LT(++ticks, 20);
                music.calls.clear();
                const QString pick = twinPick(true);
                audio.musicUpkeep(true);
                // Each tick draws once; a draw of the finished track does
                // nothing, any other starts at once.
                if (pick == finished)
                    EXPECT_TRUE(music.calls.isEmpty());
                else
                    EXPECT_EQ(music.calls.mid(music.calls.size() - 2),
                              QStringList({fileOf(pick), "play"}));
            }
            ASSERT_TRUE(inStep());
        }
    }
}

TEST_F(MusicTest, IdleTrackPlaysOnceEachTimeIdleModeBegins)
{
    audio.playMusic(audio.pickTrack(false));
    EXPECT_EQ(audio.currentTrack(), QStringLiteral("MAIN1"));
    music.finish();
    music.calls.clear();
    for (int tick = 0; tick < 10; ++tick)
        audio.musicUpkeep(false);
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_EQ(audio.currentTrack(), QStringLiteral("MAIN1"));

    // A match, then idle again: the idle track once more, from its start.
    audio.playMusic(audio.pickTrack(true));
    audio.playMusic(audio.pickTrack(false));
    EXPECT_EQ(music.calls.mid(music.calls.size() - 2), QStringList({fileOf(11), "play"}));
}

TEST_F(MusicTest, ClosingTheAboutBoxRestartsTheModesMusicFromItsBeginning)
{
    for (const bool inGame : {true, false}) {
        SCOPED_TRACE(inGame ? "match" : "idle");
        // The track playing before is the very one the box's closing draws.
        Random peek = random;
        const QString before =
            inGame ? QStringLiteral("game%1").arg(peek.randInt(9) + 1) : QStringLiteral("main1");
        audio.playMusic(before);
        music.calls.clear();

        audio.playMusic(QStringLiteral("logo"));
        EXPECT_EQ(audio.currentTrack(), QStringLiteral("LOGO"));
        audio.playMusic(audio.pickTrack(inGame));
        EXPECT_EQ(audio.currentTrack(), before.toUpper());
        EXPECT_EQ(music.calls, QStringList({"stop", "close", fileOf(13), "play", "stop", "close",
                                            fileOf(before), "play"}));
        EXPECT_EQ(music.position(), 0);
        twin = random;
    }
}

TEST_F(MusicTest, PickTrackDrawsOnceAndCoversItsTracks)
{
    QSet<QString> inGame;
    for (int i = 0; i < 200; ++i) {
        const QString pick = audio.pickTrack(true);
        EXPECT_EQ(pick.toUpper(), twinPick(true));
        inGame << pick;
    }
    EXPECT_EQ(inGame.size(), 9);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(audio.pickTrack(false), QStringLiteral("main1"));
        twinPick(false);
    }
    EXPECT_TRUE(inStep());
}

TEST_F(MusicTest, EffectsPlayFromTheResourceAndOnlyWithSoundOn)
{
    audio.playSound(QStringLiteral("GONG"));
    EXPECT_EQ(sound.calls, QStringList({"stop", "play"}));
    ASSERT_EQ(sound.played.size(), 1);
    EXPECT_EQ(sound.played[0], audioResource(QStringLiteral("gong")));

    sound.calls.clear();
    audio.playWaveResource(QStringLiteral("nosuch"));
    EXPECT_EQ(sound.calls, QStringList({"stop"})); // cut off, nothing new

    settings.soundOn = false;
    sound.calls.clear();
    audio.playSound(QStringLiteral("gong"));
    EXPECT_TRUE(sound.calls.isEmpty());
}

TEST_F(MusicTest, CueDrawsHappenWhetherOrNotSoundIsOn)
{
    struct Run
    {
        QStringList cues;
        int nextDraw = 0;
        int effectsPlayed = 0;
    };
    const auto run = [](bool soundOn) {
        Settings s;
        s.soundOn = soundOn;
        FakeMusic m;
        FakeSound fx;
        Random r(Seed);
        Audio a(s, m, fx, r);
        Run result;
        for (int i = 0; i < 300; ++i) {
            const QString cue = i % 3 == 0   ? drawCue(ShotCue::Explosion, r)
                                : i % 3 == 1 ? drawCue(ShotCue::Destroy, r)
                                             : drawCue(ShotCue::Miss, r);
            a.playSound(cue);
            result.cues << cue;
        }
        result.nextDraw = r.randInt(1'000'000);
        result.effectsPlayed = int(fx.played.size());
        return result;
    };
    const Run on = run(true);
    const Run off = run(false);
    EXPECT_EQ(on.cues, off.cues);
    EXPECT_EQ(on.nextDraw, off.nextDraw);
    EXPECT_EQ(on.effectsPlayed, 300);
    EXPECT_EQ(off.effectsPlayed, 0);

    // Every cue names an effect the game carries, and every effect is drawn.
    const QSet<QString> drawn(on.cues.begin(), on.cues.end());
    EXPECT_EQ(drawn.size(), 6 + 5 + 3);
    for (const QString &cue : drawn)
        EXPECT_FALSE(audioResource(cue).isEmpty()) << cue.toStdString();
}

} // namespace
