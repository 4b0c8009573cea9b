// Music per mode and the sound effects, against recording devices: which
// track plays when, what the switches do, and that every random draw is made
// whatever the switches say.
#include "audio/audio.h"
#include "fakes.h"
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
        ASSERT_TRUE(audio.ExtractMusic());
    }

    // The track the next PickTrack will choose, drawn from a twin of the
    // game's generator so that both stay in step.
    QString twinPick(bool inGame)
    {
        return inGame ? QStringLiteral("GAME%1").arg(twin.RandInt(9) + 1)
                      : QStringLiteral("MAIN%1").arg(twin.RandInt(1) + 1);
    }

    // True when the game's generator and its twin have made the same draws.
    bool inStep()
    {
        Random a = random;
        Random b = twin;
        return a.RandInt(1'000'000) == b.RandInt(1'000'000);
    }

    QTemporaryDir m_dir;
    Settings settings;
    FakeMusic music;
    FakeSound sound;
    Random random{Seed};
    Random twin{Seed};
    Audio audio{settings, music, sound, random};
};

QString FileOf(int n)
{
    return QStringLiteral("open twkm%1.mid").arg(n);
}

QString FileOf(const QString &track)
{
    for (int n = 1; n <= 13; ++n)
        if (track.toUpper() == QLatin1String(MusicTracks[n - 1]))
            return FileOf(n);
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
        audio.PlayMusic(QString::fromLatin1(c.asked));
        EXPECT_EQ(audio.CurrentTrack(), QLatin1String(c.current));
        ASSERT_GE(music.calls.size(), 2);
        EXPECT_EQ(music.calls.mid(music.calls.size() - 2), QStringList({FileOf(c.file), "play"}));
    }
}

TEST_F(MusicTest, ChangingTrackStopsAndClosesTheOldOneFirst)
{
    audio.PlayMusic(QStringLiteral("game1"));
    music.calls.clear();
    audio.PlayMusic(QStringLiteral("game2"));
    EXPECT_EQ(music.calls, QStringList({"stop", "close", FileOf(2), "play"}));

    // A finished track is closed without a stop.
    music.finish();
    music.calls.clear();
    audio.PlayMusic(QStringLiteral("game3"));
    EXPECT_EQ(music.calls, QStringList({"close", FileOf(3), "play"}));
}

TEST_F(MusicTest, AskingForTheCurrentTrackAgainDoesNothingEvenWhenFinished)
{
    audio.PlayMusic(QStringLiteral("game4"));
    music.calls.clear();
    audio.PlayMusic(QStringLiteral("GAME4"));
    music.finish();
    audio.PlayMusic(QStringLiteral("game4"));
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
        {"game6", true, {"stop", "close", FileOf(6)}}, // the player cannot open it
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked);
        audio.PlayMusic(QStringLiteral("game1"));
        music.failOpen = c.failOpen;
        music.calls.clear();
        audio.PlayMusic(QString::fromLatin1(c.asked));
        EXPECT_EQ(music.calls, c.expected);
        EXPECT_EQ(audio.CurrentTrack(), QString::fromLatin1(c.asked).toUpper());
        music.calls.clear();
        audio.PlayMusic(QString::fromLatin1(c.asked));
        EXPECT_TRUE(music.calls.isEmpty());
        music.failOpen = false;
    }
}

TEST_F(MusicTest, MusicOffStopsAndForgetsAndOnStartsAFreshPick)
{
    audio.PlayMusic(QStringLiteral("game7"));

    // The music switch turned off.
    settings.MusicOn = false;
    music.calls.clear();
    audio.StopMusic();
    EXPECT_EQ(music.calls, QStringList({"stop", "close"}));
    EXPECT_TRUE(audio.CurrentTrack().isEmpty());

    music.calls.clear();
    audio.PlayMusic(QStringLiteral("game8"));
    audio.StopMusic(); // nothing open: the player is not touched
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_TRUE(audio.CurrentTrack().isEmpty());

    // And on again, during a match: a track drawn afresh, even the old one.
    settings.MusicOn = true;
    const QString expected = twinPick(true);
    audio.PlayMusic(audio.PickTrack(true));
    EXPECT_EQ(audio.CurrentTrack(), expected);
    EXPECT_EQ(music.calls, QStringList({FileOf(expected), "play"}));
}

TEST_F(MusicTest, WithMusicOffPlayMusicDoesNotEvenStop)
{
    audio.PlayMusic(QStringLiteral("game1"));
    settings.MusicOn = false;
    music.calls.clear();
    audio.PlayMusic(QStringLiteral("game2"));
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_EQ(music.mode(), MusicDevice::Mode::Playing);
    EXPECT_EQ(audio.CurrentTrack(), QStringLiteral("GAME1"));
}

TEST_F(MusicTest, UpkeepLeavesAPlayingTrackAloneAndDrawsNothing)
{
    audio.PlayMusic(QStringLiteral("game2"));
    music.calls.clear();
    for (int tick = 0; tick < 5; ++tick)
        audio.MusicUpkeep(true);
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_TRUE(inStep());
}

TEST_F(MusicTest, FinishedGameTrackIsFollowedByAFreshDrawWithinATickOrAFew)
{
    for (const bool endAsPlaying : {false, true}) {
        SCOPED_TRACE(endAsPlaying ? "player reports the end as playing" : "player stops");
        music.reportsEndAsPlaying = endAsPlaying;
        audio.StopMusic();
        audio.PlayMusic(QStringLiteral("game1"));
        for (int track = 0; track < 20; ++track) {
            music.finish();
            const QString finished = audio.CurrentTrack();
            int ticks = 0;
            while (audio.CurrentTrack() == finished) {
                ASSERT_LT(++ticks, 20);
                music.calls.clear();
                const QString pick = twinPick(true);
                audio.MusicUpkeep(true);
                // Each tick draws once; a draw of the finished track does
                // nothing, any other starts at once.
                if (pick == finished)
                    EXPECT_TRUE(music.calls.isEmpty());
                else
                    EXPECT_EQ(music.calls.mid(music.calls.size() - 2),
                              QStringList({FileOf(pick), "play"}));
            }
            ASSERT_TRUE(inStep());
        }
    }
}

TEST_F(MusicTest, IdleTrackPlaysOnceEachTimeIdleModeBegins)
{
    audio.PlayMusic(audio.PickTrack(false));
    EXPECT_EQ(audio.CurrentTrack(), QStringLiteral("MAIN1"));
    music.finish();
    music.calls.clear();
    for (int tick = 0; tick < 10; ++tick)
        audio.MusicUpkeep(false);
    EXPECT_TRUE(music.calls.isEmpty());
    EXPECT_EQ(audio.CurrentTrack(), QStringLiteral("MAIN1"));

    // A match, then idle again: the idle track once more, from its start.
    audio.PlayMusic(audio.PickTrack(true));
    audio.PlayMusic(audio.PickTrack(false));
    EXPECT_EQ(music.calls.mid(music.calls.size() - 2), QStringList({FileOf(11), "play"}));
}

TEST_F(MusicTest, ClosingTheAboutBoxRestartsTheModesMusicFromItsBeginning)
{
    for (const bool inGame : {true, false}) {
        SCOPED_TRACE(inGame ? "match" : "idle");
        // The track playing before is the very one the box's closing draws.
        Random peek = random;
        const QString before =
            inGame ? QStringLiteral("game%1").arg(peek.RandInt(9) + 1) : QStringLiteral("main1");
        audio.PlayMusic(before);
        music.calls.clear();

        audio.PlayMusic(QStringLiteral("logo"));
        EXPECT_EQ(audio.CurrentTrack(), QStringLiteral("LOGO"));
        audio.PlayMusic(audio.PickTrack(inGame));
        EXPECT_EQ(audio.CurrentTrack(), before.toUpper());
        EXPECT_EQ(music.calls, QStringList({"stop", "close", FileOf(13), "play", "stop", "close",
                                            FileOf(before), "play"}));
        EXPECT_EQ(music.position(), 0);
        twin = random;
    }
}

TEST_F(MusicTest, PickTrackDrawsOnceAndCoversItsTracks)
{
    QSet<QString> inGame;
    for (int i = 0; i < 200; ++i) {
        const QString pick = audio.PickTrack(true);
        EXPECT_EQ(pick.toUpper(), twinPick(true));
        inGame << pick;
    }
    EXPECT_EQ(inGame.size(), 9);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(audio.PickTrack(false), QStringLiteral("main1"));
        twinPick(false);
    }
    EXPECT_TRUE(inStep());
}

TEST_F(MusicTest, EffectsPlayFromTheResourceAndOnlyWithSoundOn)
{
    audio.PlaySound(QStringLiteral("GONG"));
    EXPECT_EQ(sound.calls, QStringList({"stop", "play"}));
    ASSERT_EQ(sound.played.size(), 1);
    EXPECT_EQ(sound.played[0], AudioResource(QStringLiteral("gong")));

    sound.calls.clear();
    audio.PlayWaveResource(QStringLiteral("nosuch"));
    EXPECT_EQ(sound.calls, QStringList({"stop"})); // cut off, nothing new

    settings.SoundOn = false;
    sound.calls.clear();
    audio.PlaySound(QStringLiteral("gong"));
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
        s.SoundOn = soundOn;
        FakeMusic m;
        FakeSound fx;
        Random r(Seed);
        Audio a(s, m, fx, r);
        Run result;
        for (int i = 0; i < 300; ++i) {
            const QString cue = i % 3 == 0   ? a.ExplosionCue()
                                : i % 3 == 1 ? a.DestroyCue()
                                             : a.MissCue();
            a.PlaySound(cue);
            result.cues << cue;
        }
        result.nextDraw = r.RandInt(1'000'000);
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
        EXPECT_FALSE(AudioResource(cue).isEmpty()) << cue.toStdString();
}

} // namespace
