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
// player, including one that has finished and waits for its deferred
// deletion. A finished sink deletes itself; m_sink, a QPointer, then reads
// null, so no call ever reaches a deleted sink.
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
    std::unique_ptr<QObject> m_sinks; // parent of every sink
    QPointer<QAudioSink> m_sink;      // the effect playing, with its buffer as child
};

} // namespace tw
