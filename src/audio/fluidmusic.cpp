// SPDX-License-Identifier: GPL-3.0-or-later
#include "fluidmusic.h"

#include "midifile.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fluidsynth.h>
#include <mutex>
#include <thread>
#include <vector>

namespace tw {

namespace {

Q_LOGGING_CATEGORY(lcFluidSynth, "tarnwake.audio.fluidsynth", QtWarningMsg)

void logToCategory(int level, const char *message, void *)
{
    qCDebug(lcFluidSynth, "%d: %s", level, message);
}

} // namespace

QString musicSoundFont()
{
    const QString small = QString::fromLatin1(SmallSoundFont);
    return QFileInfo::exists(small) ? small : QString::fromLatin1(DefaultSoundFont);
}

void quietFluidSynthLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, logToCategory, nullptr);
    });
}

// The synthesizer with its soundfont and its connection to the sound output,
// and the player of the open file.
//
// Players keep time by the rendered samples: their clock is called on the
// driver's thread between blocks, which costs nothing between notes (the
// system timer woke a thread of its own 250 times a second). A player must
// then never be deleted while the driver renders: one that is done with is
// stopped and handed to the driver's thread, which deletes it before it
// renders the next period (or the engine does, once the driver is gone).
struct FluidSynthMusic::Engine
{
    fluid_settings_t *settings = nullptr;
    fluid_synth_t *synth = nullptr;
    fluid_audio_driver_t *driver = nullptr;
    fluid_player_t *player = nullptr;
    // When the audio driver last asked for samples (steady clock, ms). A
    // driver whose server went away or stopped answering asks no more.
    std::atomic<qint64> lastRender = 0;
    std::mutex retiredMutex;
    std::vector<fluid_player_t *> retired; // stopped players; guarded by retiredMutex

    Engine() : lastRender(now()) {}
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;
    ~Engine()
    {
        // The driver first: its thread runs the players' clocks.
        if (driver)
            delete_fluid_audio_driver(driver);
        if (player)
            delete_fluid_player(player);
        deleteRetired();
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }

    // Precondition: the driver is not rendering, or this is its thread.
    void deleteRetired()
    {
        std::vector<fluid_player_t *> players;
        {
            const std::lock_guard lock(retiredMutex);
            players.swap(retired);
        }
        for (fluid_player_t *done : players)
            delete_fluid_player(done);
    }

    void retirePlayer()
    {
        fluid_player_stop(player);
        const std::lock_guard lock(retiredMutex);
        retired.push_back(player);
        player = nullptr;
    }

    static qint64 now()
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

    // Called on the driver's thread.
    static int render(void *data, int len, int nfx, float *fx[], int nout, float *out[])
    {
        auto *engine = static_cast<Engine *>(data);
        engine->lastRender.store(now(), std::memory_order_relaxed);
        engine->deleteRetired();
        return fluid_synth_process(engine->synth, len, nfx, fx, nout, out);
    }

    // False once the driver has not asked for samples for a while: the
    // sound server is gone or hung, and this engine will not be heard again.
    bool alive() const { return now() - lastRender.load(std::memory_order_relaxed) < StallLimitMs; }

    // Null when there will be no sound: no soundfont, no sound server, or the
    // owner gave up waiting.
    static std::unique_ptr<Engine> create(const QByteArray &soundFont,
                                          const std::atomic<bool> &cancelled)
    {
        if (cancelled || !fluid_is_soundfont(soundFont.constData()))
            return nullptr;
        auto engine = std::make_unique<Engine>();
        engine->settings = new_fluid_settings();
        if (!engine->settings)
            return nullptr;
        // Samples are read when an instrument is first chosen, not all at
        // once: the large General MIDI soundfont is about 140 MB, of which a track
        // uses a few.
        fluid_settings_setint(engine->settings, "synth.dynamic-sample-loading", 1);
        fluid_settings_setint(engine->settings, "synth.lock-memory", 0);
        fluid_settings_setstr(engine->settings, "player.timing-source", "sample");
        // Background music, cheap to render: the effects run at 22050 Hz
        // too, the tracks never need more than a few dozen voices, and the
        // reverb and chorus units run on every sample whether or not a note
        // sounds, for the little reverb the tracks ask for. Most of the
        // driver's cost is per period (the sound server's messages), and
        // the server holds about one period of music: 1536 frames (70 ms)
        // wake it fourteen times a second, and music switched off (whose
        // voices are cut, not released) still falls silent within a tenth
        // of a second.
        fluid_settings_setnum(engine->settings, "synth.sample-rate", SampleRate);
        fluid_settings_setint(engine->settings, "synth.polyphony", Polyphony);
        fluid_settings_setint(engine->settings, "synth.reverb.active", 0);
        fluid_settings_setint(engine->settings, "synth.chorus.active", 0);
        fluid_settings_setint(engine->settings, "audio.period-size", PeriodFrames);
        fluid_settings_setint(engine->settings, "audio.periods", 2);
        engine->synth = new_fluid_synth(engine->settings);
        if (!engine->synth)
            return nullptr;
        // The desktop's sound server first; plain ALSA where there is none
        // but there is a sound card. JACK is left out (it may try to start a
        // server of its own), and ALSA is not asked on a machine without any
        // card, where it would complain on stderr.
        for (const char *name : {"pulseaudio", "alsa"}) {
            if (cancelled)
                return nullptr;
            if (qstrcmp(name, "alsa") == 0 && !QFileInfo::exists(QStringLiteral("/dev/snd")))
                continue;
            fluid_settings_setstr(engine->settings, "audio.driver", name);
            engine->driver = new_fluid_audio_driver2(engine->settings, render, engine.get());
            if (engine->driver)
                break;
        }
        // The soundfont is read only where it can be heard: on a machine
        // without sound its instruments would cost memory for nothing.
        if (!engine->driver || cancelled ||
            fluid_synth_sfload(engine->synth, soundFont.constData(), 1) == FLUID_FAILED)
            return nullptr;
        // Reading the soundfont took a while; the driver has been asking all
        // along, but the clock of its liveness starts now.
        engine->lastRender = now();
        return engine;
    }
};

// The worker that sets the synthesizer up. It shares this with its owner,
// which may give up on it (see the destructor), so everything the worker
// touches lives here or in the worker itself.
struct FluidSynthMusic::Loader
{
    std::thread thread;
    std::atomic<bool> cancelled = false;
    std::mutex mutex;
    bool done = false;              // guarded by mutex
    std::unique_ptr<Engine> engine; // guarded by mutex
    QObject *notifier = nullptr;    // guarded by mutex; null once the owner is gone
};

namespace {

// Runs work on a thread of its own and waits for it at most limitMs; work
// that takes longer finishes (or blocks) without anyone waiting.
template <typename Work>
void runWithin(Work work, int limitMs)
{
    struct Done
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool done = false;
    };
    auto state = std::make_shared<Done>();
    std::thread([state, work = std::move(work)]() mutable {
        work();
        const std::lock_guard lock(state->mutex);
        state->done = true;
        state->changed.notify_all();
    }).detach();
    std::unique_lock lock(state->mutex);
    state->changed.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return state->done; });
}

} // namespace

FluidSynthMusic::FluidSynthMusic(const QString &soundFont)
    : m_soundFont(soundFont), m_notifier(std::make_unique<QObject>())
{
    m_watch = new QTimer(m_notifier.get());
    m_watch->setInterval(WatchMs);
    QObject::connect(m_watch, &QTimer::timeout, m_notifier.get(), [this] { watchSynth(); });
}

void FluidSynthMusic::watchSynth()
{
    adoptEngine();
    if (mode() != Mode::Playing) {
        m_watch->stop();
        return;
    }
    if (m_loader && m_loader->thread.joinable())
        return; // being set up
    if (m_engine && m_engine->alive())
        return;
    if (m_engine)
        retireEngine(); // its server went away or hangs: a new one is tried at once
    else if (m_lastLoading.isValid() && m_lastLoading.elapsed() < RetryMs)
        return;
    startLoading();
}

void FluidSynthMusic::retireEngine()
{
    // The driver may be blocked on the server for good: nobody waits for it.
    runWithin([engine = std::move(m_engine)]() mutable { engine.reset(); }, 0);
}

FluidSynthMusic::~FluidSynthMusic()
{
    // Deleting the audio driver waits for its thread, which may be blocked
    // in a write to a sound server that stopped answering (and a worker
    // still setting up may be blocked in connecting): both go on a thread
    // of their own, waited for only so long.
    if (m_loader) {
        m_loader->cancelled = true;
        const std::lock_guard lock(m_loader->mutex);
        m_loader->notifier = nullptr;
    }
    runWithin(
        [loader = std::move(m_loader), engine = std::move(m_engine)]() mutable {
            if (loader && loader->thread.joinable())
                loader->thread.join();
            engine.reset();
            loader.reset();
        },
        TeardownLimitMs);
}

void FluidSynthMusic::startLoading()
{
    quietFluidSynthLog();
    m_lastLoading.start();
    m_loader = std::make_shared<Loader>();
    m_loader->notifier = m_notifier.get();
    m_loader->thread =
        std::thread([this, loader = m_loader.get(), soundFont = QFile::encodeName(m_soundFont)] {
            // The loader outlives this thread: whoever ends it joins it first.
            std::unique_ptr<Engine> engine = Engine::create(soundFont, loader->cancelled);
            const std::lock_guard lock(loader->mutex);
            loader->engine = std::move(engine);
            loader->done = true;
            // The owner clears the notifier under the lock before it goes, so
            // a notifier seen here is alive, and so is the owner.
            if (loader->notifier)
                QMetaObject::invokeMethod(
                    loader->notifier, [this] { adoptEngine(); }, Qt::QueuedConnection);
        });
}

void FluidSynthMusic::adoptEngine(bool wait)
{
    if (!m_loader || !m_loader->thread.joinable())
        return;
    if (!wait) {
        const std::lock_guard lock(m_loader->mutex);
        if (!m_loader->done)
            return;
    }
    m_loader->thread.join();
    m_engine = std::move(m_loader->engine);
    if (!m_engine || m_file.isEmpty())
        return;
    startPlayer();
    // A track asked for while the synthesizer was being set up starts now,
    // from its beginning, unless its time is already over.
    if (m_playing && elapsed() < m_length && m_engine->player) {
        m_playedBefore = 0;
        m_clock.start();
        fluid_player_play(m_engine->player);
    }
}

bool FluidSynthMusic::waitForSynth()
{
    if (!m_loader)
        startLoading();
    adoptEngine(true);
    return m_engine != nullptr;
}

void FluidSynthMusic::startPlayer()
{
    m_engine->player = new_fluid_player(m_engine->synth);
    if (m_engine->player && fluid_player_add_mem(m_engine->player, m_file.constData(),
                                                 size_t(m_file.size())) != FLUID_OK)
        deletePlayer();
}

void FluidSynthMusic::deletePlayer()
{
    if (!m_engine || !m_engine->player)
        return;
    m_engine->retirePlayer();
    // Cut what the player left sounding, so the next track starts clean.
    fluid_synth_all_sounds_off(m_engine->synth, -1);
}

bool FluidSynthMusic::open(const QString &path)
{
    adoptEngine();
    close();
    // A sound server that went away (or hangs) is let go here, and one that
    // has come (back) is looked for: each new track tries again.
    if (m_engine && !m_engine->alive())
        retireEngine();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    const std::optional<MidiTiming> timing = MidiTiming::parse(data);
    if (!timing)
        return false;
    m_file = data;
    m_length = timing->lengthMs();
    if (m_engine)
        startPlayer();
    else if (!m_loader || !m_loader->thread.joinable())
        startLoading();
    return true;
}

void FluidSynthMusic::play()
{
    adoptEngine();
    if (m_file.isEmpty() || m_playing)
        return;
    m_playing = true;
    m_clock.start();
    m_watch->start();
    if (m_engine && m_engine->player)
        fluid_player_play(m_engine->player);
}

void FluidSynthMusic::stop()
{
    adoptEngine();
    if (!m_playing)
        return;
    m_playedBefore = elapsed();
    m_playing = false;
    if (m_engine && m_engine->player)
        fluid_player_stop(m_engine->player);
}

void FluidSynthMusic::close()
{
    adoptEngine();
    deletePlayer();
    m_file.clear();
    m_length = 0;
    m_playing = false;
    m_playedBefore = 0;
}

qint64 FluidSynthMusic::elapsed() const
{
    return std::min(m_length, m_playedBefore + (m_playing ? m_clock.elapsed() : 0));
}

MusicDevice::Mode FluidSynthMusic::mode() const
{
    if (m_file.isEmpty())
        return Mode::NotOpen;
    return m_playing && elapsed() < m_length ? Mode::Playing : Mode::Stopped;
}

qint64 FluidSynthMusic::position() const
{
    return elapsed();
}

qint64 FluidSynthMusic::length() const
{
    return m_length;
}

} // namespace tw
