#include "qtsound.h"

#include "wavefile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace tw {

namespace {

QtMessageHandler g_forward = nullptr;

// Qt warns on stderr, in no category of its own, when it finds no sound
// server or loses it. A machine without sound, or a sound server that went
// away, is normal for the game, so those warnings are dropped while Qt is
// asked for the output.
void dropNoServerWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("PulseAudioService:")))
        return;
    g_forward(type, context, text);
}

QAudioDevice defaultOutput()
{
    g_forward = qInstallMessageHandler(dropNoServerWarning);
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    qInstallMessageHandler(g_forward);
    return device;
}

QAudioFormat::SampleFormat sampleFormatOf(WaveImage::Sample sample)
{
    switch (sample) {
    case WaveImage::Sample::UInt8:
        return QAudioFormat::UInt8;
    case WaveImage::Sample::Int16:
        return QAudioFormat::Int16;
    case WaveImage::Sample::Int32:
        return QAudioFormat::Int32;
    case WaveImage::Sample::Float32:
        return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

} // namespace

QtSound::QtSound() : m_sinks(std::make_unique<QObject>()) {}

QtSound::~QtSound()
{
    // Qt's PulseAudio sink runs the event loop while it is destroyed, so a
    // queued play may come now: it finds this player closing. Every sink is
    // stopped first: one destroyed while it plays may still take a queued
    // feed after its stream is gone.
    m_closing = true;
    m_sink = nullptr;
    for (QObject *child : m_sinks->children()) {
        child->disconnect();
        if (auto *sink = qobject_cast<QAudioSink *>(child))
            sink->stop();
    }
    m_sinks.reset();
}

void QtSound::play(const QByteArray &wav)
{
    if (m_closing)
        return;
    stop();
    const std::optional<WaveImage> image = WaveImage::parse(wav);
    if (!image || image->dataSize == 0)
        return;
    const QAudioDevice device = defaultOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(image->sampleRate);
    format.setChannelCount(image->channels);
    format.setSampleFormat(sampleFormatOf(image->sample));
    if (!device.isFormatSupported(format))
        return;

    auto *sink = new QAudioSink(device, format, m_sinks.get());
    auto *buffer = new QBuffer(sink);
    buffer->setData(wav.sliced(image->dataOffset, image->dataSize));
    buffer->open(QIODevice::ReadOnly);
    // The sink is let go once it has played everything, so an idle stream
    // does not hold the sound server; queued, so never from inside its own
    // signal.
    QObject::connect(
        sink, &QAudioSink::stateChanged, sink,
        [this, sink](QAudio::State state) {
            if (state != QAudio::IdleState)
                return;
            if (m_sink == sink)
                m_sink = nullptr;
            letGo(sink);
        },
        Qt::QueuedConnection);
    sink->start(buffer);
    if (sink->error() != QAudio::NoError) {
        letGo(sink);
        return;
    }
    m_sink = sink;
}

void QtSound::stop()
{
    QAudioSink *sink = m_sink;
    m_sink = nullptr;
    if (sink)
        letGo(sink);
}

void QtSound::letGo(QAudioSink *sink)
{
    // Stopped before anything can run the event loop: a queued feed then
    // finds it stopped rather than reading a stream that is gone.
    sink->stop();
    sink->deleteLater();
}

} // namespace tw
