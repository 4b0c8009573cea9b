// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/random.h"

#include <QByteArray>
#include <QString>

namespace tw {

struct Settings;

// The media player that plays one MIDI file at a time.
class MusicDevice
{
public:
    enum class Mode
    {
        NotOpen,
        Stopped,
        Playing
    };
    virtual ~MusicDevice() = default;
    // Opens the file; false when it cannot be opened (nothing then plays).
    virtual bool open(const QString &path) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual Mode mode() const = 0;
    virtual qint64 position() const = 0; // milliseconds
    virtual qint64 length() const = 0;   // milliseconds
};

// Plays one WAV image from memory; a new one cuts the previous off.
class SoundDevice
{
public:
    virtual ~SoundDevice() = default;
    virtual void play(const QByteArray &wav) = 0;
    virtual void stop() = 0;
};

// Devices that stay silent: a machine without sound, and the tests.
class SilentMusic : public MusicDevice
{
public:
    bool open(const QString &) override { return false; }
    void play() override {}
    void stop() override {}
    void close() override {}
    Mode mode() const override { return Mode::NotOpen; }
    qint64 position() const override { return 0; }
    qint64 length() const override { return 0; }
};

class SilentSound : public SoundDevice
{
public:
    void play(const QByteArray &) override {}
    void stop() override {}
};

// The thirteen tracks in the order of their music files twkm1.mid..twkm13.mid.
inline constexpr const char *MusicTracks[13] = {"GAME1", "GAME2", "GAME3", "GAME4", "GAME5",
                                                "GAME6", "GAME7", "GAME8", "GAME9", "LOOSE",
                                                "MAIN1", "WIN",   "LOGO"};

// The embedded MIDI or WAV data of a resource, looked up by name with
// letter case ignored; empty when there is none.
QByteArray audioResource(const QString &name);

// Music per mode and the sound effects, switched by the settings.
class Audio
{
public:
    Audio(const Settings &settings, MusicDevice &music, SoundDevice &sound, Random &random);

    // Where the music files are written at start-up and deleted at shutdown:
    // a private directory with a trailing '/', or empty when there is none
    // (then no file is written and no music plays).
    void setMusicDirectory(const QString &directory) { m_directory = directory; }
    // The music file of track n (1..13); empty without a directory.
    QString musicFile(int n) const;

    // Writes the thirteen music files, replacing older ones; false when any
    // of them failed (the others are still written, and a file cut off by a
    // failed write is removed).
    bool extractMusic();
    void deleteMusicFiles();

    void playMusic(const QString &name);
    void stopMusic();
    QString pickTrack(bool gameInProgress);
    // The turn timer's upkeep: a finished track is followed by a new pick.
    void musicUpkeep(bool gameInProgress);

    void playSound(const QString &name);
    void playWaveResource(const QString &name);

    const QString &currentTrack() const { return m_currentTrack; }

private:
    const Settings &m_settings;
    MusicDevice &m_music;
    SoundDevice &m_sound;
    Random &m_random;
    QString m_directory;
    QString m_currentTrack;
};

} // namespace tw
