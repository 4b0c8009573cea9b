#pragma once

#include "audio.h"

#include <QPointer>

class QAudioSink;

namespace tw {

// Plays WAV images from memory with Qt Multimedia: each on a sink of its
// own, a new one stopping the previous. Without a sound output, or for an
// image that is not uncompressed PCM, nothing happens. The output is looked
// for at the first play, not before. Used on the thread that created it,
// which runs an event loop.
class QtSound : public SoundDevice
{
public:
    QtSound() = default;
    ~QtSound() override;

    QtSound(const QtSound &) = delete;
    QtSound &operator=(const QtSound &) = delete;

    void play(const QByteArray &wav) override;
    void stop() override;

private:
    QPointer<QAudioSink> m_sink; // the effect playing, with its buffer as child
};

} // namespace tw
