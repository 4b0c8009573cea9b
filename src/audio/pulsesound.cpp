// SPDX-License-Identifier: GPL-3.0-or-later
#include "pulsesound.h"

#include "wavefile.h"

#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <pulse/error.h>
#include <pulse/simple.h>

namespace tw {

namespace {

using Clock = std::chrono::steady_clock;
// libpulse's description of a stream: sample type, rate and channels.
using StreamFormat = pa_sample_spec;

// PA_SAMPLE_INVALID for a sample type the server has no name for.
pa_sample_format_t pulseFormatOf(WaveImage::Sample sample)
{
    switch (sample) {
    case WaveImage::Sample::UInt8:
        return PA_SAMPLE_U8;
    case WaveImage::Sample::Int16:
        return PA_SAMPLE_S16LE;
    case WaveImage::Sample::Int32:
        return PA_SAMPLE_S32LE;
    case WaveImage::Sample::Float32:
        return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_INVALID;
}

bool operator==(const StreamFormat &a, const StreamFormat &b)
{
    return a.format == b.format && a.rate == b.rate && a.channels == b.channels;
}

} // namespace

// What the caller's thread and the effect thread share. The effect thread
// holds it too, so it stays valid for a thread left running at teardown.
struct PulseSound::Shared
{
    struct Effect
    {
        QByteArray samples; // whole frames
        StreamFormat format{};
        Clock::time_point askedAt;
    };

    std::mutex mutex;
    std::condition_variable changed;
    // All guarded by mutex.
    std::optional<Effect> next; // the newest effect not yet started
    bool stopAsked = false;     // what plays now is to be cut off
    bool quitting = false;
    bool finished = false; // the effect thread has let go of the server

    // True when the effect playing now must give way.
    bool interrupted()
    {
        const std::lock_guard lock(mutex);
        return next || stopAsked || quitting;
    }
};

// The effect thread: the one connection to the sound server and the effect
// being written to it. Everything here runs on that thread.
class PulseSound::Worker
{
public:
    explicit Worker(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}
    Worker(const Worker &) = delete;
    Worker &operator=(const Worker &) = delete;
    ~Worker() { disconnect(); }

    void run()
    {
        // The ending signals are for the program's other threads to take.
        sigset_t ending;
        sigemptyset(&ending);
        for (int signalNumber : {SIGTERM, SIGINT, SIGHUP})
            sigaddset(&ending, signalNumber);
        pthread_sigmask(SIG_BLOCK, &ending, nullptr);

        for (;;) {
            std::optional<Shared::Effect> effect;
            bool cutOff = false;
            {
                std::unique_lock lock(m_shared->mutex);
                const auto woken = [this] {
                    return m_shared->next || m_shared->stopAsked || m_shared->quitting;
                };
                if (m_stream) {
                    if (!m_shared->changed.wait_for(lock, std::chrono::milliseconds(IdleCloseMs),
                                                    woken)) {
                        lock.unlock();
                        disconnect();
                        continue;
                    }
                } else {
                    m_shared->changed.wait(lock, woken);
                }
                if (m_shared->quitting)
                    break;
                cutOff = m_shared->stopAsked;
                m_shared->stopAsked = false;
                effect = std::move(m_shared->next);
                m_shared->next.reset();
            }
            if (cutOff || effect)
                flush();
            if (effect)
                play(*effect);
        }
        disconnect();
        const std::lock_guard lock(m_shared->mutex);
        m_shared->finished = true;
        m_shared->changed.notify_all();
    }

private:
    bool connect(const StreamFormat &format)
    {
        const int frameBytes = int(pa_frame_size(&format));
        const auto piece =
            uint32_t(frameBytes * std::max<uint32_t>(1, format.rate * PieceMs / 1000));
        pa_buffer_attr buffer;
        buffer.maxlength = uint32_t(-1);
        buffer.tlength = 4 * piece;
        buffer.prebuf = piece; // playing starts with the first piece
        buffer.minreq = piece;
        buffer.fragsize = uint32_t(-1);
        m_stream = pa_simple_new(nullptr, "Tarnwake", PA_STREAM_PLAYBACK, nullptr, "Effects",
                                 &format, nullptr, &buffer, nullptr);
        m_format = format;
        m_pieceBytes = int(piece);
        return m_stream != nullptr;
    }

    void disconnect()
    {
        if (m_stream)
            pa_simple_free(m_stream);
        m_stream = nullptr;
    }

    // Drops what the server still holds of the last effect.
    void flush()
    {
        if (m_stream && m_unflushed && pa_simple_flush(m_stream, nullptr) < 0)
            disconnect();
        m_unflushed = false;
    }

    void play(const Shared::Effect &effect)
    {
        if (m_stream && !(m_format == effect.format))
            disconnect();
        // A connection that was fine at the last effect may have lost its
        // server since: the first write finds out, and the effect is tried
        // once more on a new connection.
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!m_stream && !connect(effect.format))
                return;
            // Connecting to a server that answers slowly may have taken the
            // effect's moment.
            if (lagging(effect, 0))
                return;
            switch (write(effect)) {
            case Written::All:
            case Written::CutOff:
                return;
            case Written::Failed:
                disconnect();
                break;
            case Written::FailedLater:
                disconnect();
                return;
            }
        }
    }

    enum class Written
    {
        All,
        CutOff,
        Failed,     // before anything reached the server
        FailedLater // with part of the effect heard
    };

    Written write(const Shared::Effect &effect)
    {
        const char *data = effect.samples.constData();
        const qsizetype size = effect.samples.size();
        // A piece holds whole frames: the piece size is a multiple of the
        // frame size, and so is the sample data.
        for (qsizetype offset = 0; offset < size; offset += m_pieceBytes) {
            if (offset > 0 && (m_shared->interrupted() || lagging(effect, offset)))
                return Written::CutOff;
            const size_t bytes = size_t(std::min<qsizetype>(m_pieceBytes, size - offset));
            if (pa_simple_write(m_stream, data + offset, bytes, nullptr) < 0)
                return offset == 0 ? Written::Failed : Written::FailedLater;
            m_unflushed = true;
        }
        return Written::All;
    }

    // True when the samples from offset on would be heard more than StaleMs
    // after their time: the server was held up and the effect is over.
    static bool lagging(const Shared::Effect &effect, qsizetype offset)
    {
        const double bytesPerSecond = double(pa_bytes_per_second(&effect.format));
        const auto due = effect.askedAt + std::chrono::milliseconds(StaleMs) +
                         std::chrono::duration_cast<Clock::duration>(
                             std::chrono::duration<double>(double(offset) / bytesPerSecond));
        return Clock::now() > due;
    }

    std::shared_ptr<Shared> m_shared;
    pa_simple *m_stream = nullptr;
    StreamFormat m_format{};
    int m_pieceBytes = 0;
    bool m_unflushed = false; // the server may still hold samples of ours
};

PulseSound::PulseSound() : m_shared(std::make_shared<Shared>())
{
    m_thread = std::thread([shared = m_shared] { Worker(shared).run(); });
}

PulseSound::~PulseSound()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->quitting = true;
    m_shared->next.reset();
    m_shared->changed.notify_all();
    const bool finished = m_shared->changed.wait_for(
        lock, std::chrono::milliseconds(TeardownLimitMs), [this] { return m_shared->finished; });
    lock.unlock();
    if (finished)
        m_thread.join();
    else
        m_thread.detach(); // held by a hung server; it owns what it touches
}

void PulseSound::play(const QByteArray &wav)
{
    const std::optional<WaveImage> image = WaveImage::parse(wav);
    if (!image || image->dataSize == 0)
        return;
    Shared::Effect effect;
    effect.format.format = pulseFormatOf(image->sample);
    effect.format.rate = uint32_t(image->sampleRate);
    effect.format.channels = uint8_t(std::clamp(image->channels, 0, 255));
    if (image->channels > int(PA_CHANNELS_MAX) || !pa_sample_spec_valid(&effect.format))
        return;
    effect.samples = wav.sliced(image->dataOffset, image->dataSize);
    effect.askedAt = Clock::now();
    const std::lock_guard lock(m_shared->mutex);
    m_shared->next = std::move(effect);
    m_shared->changed.notify_all();
}

void PulseSound::stop()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->next.reset();
    m_shared->stopAsked = true;
    m_shared->changed.notify_all();
}

} // namespace tw
