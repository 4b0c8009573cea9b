// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Devices that record what the music and sound logic asks of them.

#include "audio/audio.h"

#include <QStringList>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tw::test {

// A media player whose track "finishes" when the test says so. By default
// it reports a finished track as stopped; with reportsEndAsPlaying it keeps
// saying playing with the position at the length, as some players do.
class FakeMusic : public MusicDevice
{
public:
    bool open(const QString &path) override
    {
        calls << QStringLiteral("open ") + path.section(u'/', -1);
        if (failOpen)
            return false;
        m_mode = Mode::Stopped;
        m_position = 0;
        return true;
    }
    void play() override
    {
        calls << QStringLiteral("play");
        m_mode = Mode::Playing;
    }
    void stop() override
    {
        calls << QStringLiteral("stop");
        m_mode = Mode::Stopped;
    }
    void close() override
    {
        calls << QStringLiteral("close");
        m_mode = Mode::NotOpen;
    }
    Mode mode() const override { return m_mode; }
    qint64 position() const override { return m_position; }
    qint64 length() const override { return m_mode == Mode::NotOpen ? 0 : TrackLength; }

    void finish()
    {
        m_position = TrackLength;
        if (!reportsEndAsPlaying)
            m_mode = Mode::Stopped;
    }

    static constexpr qint64 TrackLength = 60'000;
    QStringList calls;
    bool failOpen = false;
    bool reportsEndAsPlaying = false;

private:
    Mode m_mode = Mode::NotOpen;
    qint64 m_position = 0;
};

class FakeSound : public SoundDevice
{
public:
    void play(const QByteArray &wav) override
    {
        calls << QStringLiteral("play");
        played << wav;
    }
    void stop() override { calls << QStringLiteral("stop"); }

    QStringList calls;
    QList<QByteArray> played;
};

} // namespace tw::test
