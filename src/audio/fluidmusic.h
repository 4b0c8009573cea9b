// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QObject;
class QTimer;

namespace tw {

// Where Debian's packages put the General MIDI soundfont of the system.
inline constexpr char DefaultSoundFont[] = "/usr/share/sounds/sf2/default-GM.sf2";
// A small General MIDI soundfont (6 MB, Debian's timgm6mb-soundfont). The
// tracks sound much the same with it, and its samples cost a tenth of the
// memory of the large one's.
inline constexpr char SmallSoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The soundfont the music is played with: the small one where it is
// installed, the system's default otherwise.
QString musicSoundFont();

// Sends FluidSynth's own messages to the "tarnwake.audio.fluidsynth" logging
// category (debug level, off unless enabled) instead of stderr. Call before
// any other FluidSynth call; calling it again does nothing.
void quietFluidSynthLog();

// Plays MIDI files with FluidSynth through the desktop's sound server.
//
// Mode, position and length come from the file itself and a clock: length
// from the file's tempo map, position from the time played. So the player
// keeps time the same way with sound and without it: on a machine with no
// sound server, or without the soundfont, it stays silent but a track still
// plays for its length and then stops, and a damaged file fails to open
// everywhere.
//
// The synthesizer (the soundfont and the audio connection) is set up on a
// worker thread started by the first open(), so neither start-up nor the
// window waits for it. While a track plays, a watch sets it up again when
// there is none (no sound server yet; tried at most every RetryMs) or when
// the one there stopped being heard (its sound server went away or hangs):
// a server that comes (back) is heard within about a second, as the effects
// are. A track asked to play meanwhile starts from its beginning once the
// synthesizer is ready, and its clock restarts then.
//
// All members are called on one thread, the one that created the player,
// which must run an event loop for the late start to be immediate (without
// one it happens at the next call).
class FluidSynthMusic : public MusicDevice
{
public:
    static constexpr int SampleRate = 22050;
    static constexpr int Polyphony = 64;
    static constexpr int PeriodFrames = 1536;
    // How long the destructor waits for the synthesizer and its connection
    // to the sound server to go; a server that stopped answering can block
    // that for good, and then they are left to the ending process.
    static constexpr int TeardownLimitMs = 500;
    // A driver that has not asked for samples for this long is taken for
    // dead (its server went away or stopped answering); a new synthesizer
    // is set up in its place.
    static constexpr int StallLimitMs = 1000;
    // How often a playing track looks at its synthesizer, and how long it
    // waits between attempts to set one up where there was no sound.
    static constexpr int WatchMs = 200;
    static constexpr int RetryMs = 1000;

    explicit FluidSynthMusic(const QString &soundFont = musicSoundFont());
    ~FluidSynthMusic() override;

    FluidSynthMusic(const FluidSynthMusic &) = delete;
    FluidSynthMusic &operator=(const FluidSynthMusic &) = delete;

    bool open(const QString &path) override;
    void play() override;
    void stop() override;
    void close() override;
    Mode mode() const override;
    qint64 position() const override;
    qint64 length() const override;

    // Waits for the synthesizer to be set up (starting that if no file was
    // opened yet); true when the music will be heard. For tests and tools.
    bool waitForSynth();

private:
    struct Engine;
    struct Loader;

    void startLoading();
    void retireEngine();
    // Takes over the synthesizer once the worker has finished (or waits for
    // it) and starts what was asked for meanwhile.
    void adoptEngine(bool wait = false);
    // While a track plays: a synthesizer that is not heard is replaced.
    void watchSynth();
    void startPlayer();
    void deletePlayer();
    qint64 elapsed() const;

    QString m_soundFont;
    std::shared_ptr<Loader> m_loader;
    std::unique_ptr<Engine> m_engine; // null until ready, and when there is no sound
    std::unique_ptr<QObject> m_notifier;
    QTimer *m_watch = nullptr;   // a child of m_notifier
    QElapsedTimer m_lastLoading; // when the last setting up began

    QByteArray m_file; // the open file, empty when none
    qint64 m_length = 0;
    bool m_playing = false;
    qint64 m_playedBefore = 0; // milliseconds played before the last play()
    QElapsedTimer m_clock;     // running while playing
};

} // namespace tw
