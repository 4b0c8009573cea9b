// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio.h"

#include <memory>
#include <thread>

namespace tw {

// Plays WAV images from memory on the desktop's sound server (PulseAudio, or
// PipeWire through its PulseAudio service), a new one cutting the previous
// off. Uncompressed PCM only; anything else stays silent.
//
// The calling thread never waits on the server: play() and stop() only hand
// the request to an effect thread of this player, which owns the one
// connection and does everything that can block on it (connecting, writing,
// flushing, closing). A server that stopped answering holds that thread and
// nothing else; requests made meanwhile replace each other, and one that has
// waited longer than StaleMs is dropped, not played late. The connection is
// made at the first effect and whenever the last one failed, so a server
// that went away or came back is picked up at the next effect; it is closed
// after IdleCloseMs without effects, so an idle game holds no stream.
//
// The destructor waits for the effect thread at most TeardownLimitMs; one
// held by a hung server is left to end with the process.
class PulseSound : public SoundDevice
{
public:
    // An effect asked for longer ago than this when the thread can start it
    // is dropped: its moment has passed.
    static constexpr int StaleMs = 1000;
    static constexpr int IdleCloseMs = 5000;
    static constexpr int TeardownLimitMs = 300;
    // Samples are written in pieces of this length, and the server holds
    // about four of them: a new effect cuts the old one off within one piece,
    // and an effect written to an idle stream starts within about one.
    static constexpr int PieceMs = 10;

    PulseSound();
    ~PulseSound() override;

    PulseSound(const PulseSound &) = delete;
    PulseSound &operator=(const PulseSound &) = delete;

    void play(const QByteArray &wav) override;
    void stop() override;

private:
    struct Shared;
    class Worker;

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

} // namespace tw
