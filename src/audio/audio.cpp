// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio.h"

#include "match/gamestate.h"

#include <QFile>
#include <QFileInfo>

namespace tw {

QByteArray audioResource(const QString &name)
{
    const QString lower = name.toLower();
    for (const char *suffix : {".mid", ".wav"}) {
        QFile file(QStringLiteral(":/audio/") + lower + QLatin1String(suffix));
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return {};
}

Audio::Audio(const Settings &settings, MusicDevice &music, SoundDevice &sound, Random &random)
    : m_settings(settings), m_music(music), m_sound(sound), m_random(random)
{}

QString Audio::musicFile(int n) const
{
    if (m_directory.isEmpty())
        return {};
    return m_directory + QStringLiteral("twkm%1.mid").arg(n);
}

bool Audio::extractMusic()
{
    // Without a private directory there is nowhere safe to write; the
    // working directory is no substitute.
    if (m_directory.isEmpty())
        return false;
    bool allWritten = true;
    for (int n = 1; n <= 13; ++n) {
        const QByteArray data = audioResource(QString::fromLatin1(MusicTracks[n - 1]));
        QFile file(musicFile(n));
        if (data.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            allWritten = false;
            continue;
        }
        if (file.write(data) != data.size() || !file.flush()) {
            // A cut-off file must not pass for the track: without it the
            // track stays silent, as it should.
            file.remove();
            allWritten = false;
        }
    }
    return allWritten;
}

void Audio::deleteMusicFiles()
{
    if (m_directory.isEmpty())
        return;
    for (int n = 1; n <= 13; ++n)
        QFile::remove(musicFile(n));
}

void Audio::stopMusic()
{
    if (m_music.mode() != MusicDevice::Mode::NotOpen) {
        if (m_music.mode() == MusicDevice::Mode::Playing)
            m_music.stop();
        m_music.close();
    }
    m_currentTrack.clear();
}

void Audio::playMusic(const QString &name)
{
    if (!m_settings.musicOn)
        return;
    const QString track = name.toUpper();
    if (track == m_currentTrack)
        return;
    stopMusic();
    m_currentTrack = track;
    int n = 0;
    for (int i = 1; i <= 13; ++i)
        if (track == QLatin1String(MusicTracks[i - 1]))
            n = i;
    const QString path = musicFile(n);
    if (n == 0 || path.isEmpty() || !QFileInfo(path).isFile())
        return;
    if (m_music.open(path))
        m_music.play();
}

QString Audio::pickTrack(bool gameInProgress)
{
    if (gameInProgress)
        return QStringLiteral("game%1").arg(m_random.randInt(9) + 1);
    return QStringLiteral("main%1").arg(m_random.randInt(1) + 1);
}

void Audio::musicUpkeep(bool gameInProgress)
{
    if (m_music.mode() == MusicDevice::Mode::Playing && m_music.position() >= m_music.length())
        playMusic(pickTrack(gameInProgress));
    if (m_music.mode() == MusicDevice::Mode::Stopped)
        playMusic(pickTrack(gameInProgress));
}

void Audio::playSound(const QString &name)
{
    if (m_settings.soundOn)
        playWaveResource(name);
}

void Audio::playWaveResource(const QString &name)
{
    m_sound.stop();
    const QByteArray wav = audioResource(name);
    if (!wav.isEmpty())
        m_sound.play(wav);
}

} // namespace tw
