#pragma once

#include "audio.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QAudioSink;

namespace tw {

// Plays WAV images from memory with Qt Multimedia: each on a sink of its
// own, a new one stopping the previous. Without a sound output, or for an
// image that is not uncompressed PCM, nothing happens. The output is looked
// for at the first play, not before. Used on the thread that created it,
// which runs an event loop.
//
// Ownership: every sink is a child of m_sinks, so all of them go with this
// player, including one that waits for its deferred deletion. A sink that
// is stopped or has finished is let go to the event loop, never deleted
// from inside a call: Qt's PulseAudio sink runs the event loop while it is
// destroyed, which would let queued events (a peer's packet, another play)
// run in the middle of the caller. m_sink is cleared before a sink is let
// go, so a play that comes during its teardown never reaches it.
class QtSound : public SoundDevice
{
public:
    QtSound();
    ~QtSound() override;

    QtSound(const QtSound &) = delete;
    QtSound &operator=(const QtSound &) = delete;

    void play(const QByteArray &wav) override;
    void stop() override;

private:
    static void letGo(QAudioSink *sink);

    std::unique_ptr<QObject> m_sinks; // parent of every sink
    QPointer<QAudioSink> m_sink;      // the effect playing, with its buffer as child
    bool m_closing = false;
};

} // namespace tw
