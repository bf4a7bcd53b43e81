// What the program does with the live mix beyond the mixer's own work: the
// analysis of every buffer for the shaders (the rows of the sound texture and
// the loudness of the "sound" uniform, see MixAnalyser), the master volume, and
// the music lowered while a sample plays (ducking).
//
// One object, owned by the program, handed to the mixer's post-mix hook and to
// the ducking timer as their user data. The hook runs on SDL's audio thread and
// the timer on SDL's timer thread; they take no lock and allocate nothing, and
// touch only atomic words and the row exchange. The object outlives both.
#pragma once

#include "audio/MixAnalyser.h"
#include "audio/RowExchange.h"

#include <atomic>
#include <cstdint>

class LiveMix {
public:
    LiveMix() = default;
    // Unhooks from the mixer and stops a pending ducking timer.
    ~LiveMix();
    LiveMix(const LiveMix&) = delete;
    LiveMix& operator=(const LiveMix&) = delete;

    // Analyses every buffer of the open mixer from now on; the first call
    // hooks, later ones do nothing.
    void hookIntoMixer();
    // What the hook does with each buffer of the mix: analyses `samples`
    // (`length` bytes of interleaved signed 16-bit stereo) and scales them by `volume`.
    void analyseBuffer(int16_t* samples, int length);

    // Master volume of the whole mix, 0 to 128; the editor's volume slider sets it.
    std::atomic<int> volume{128};
    // Byte length of the latest mix buffer.
    int64_t lastBufferBytes() const { return lastBufferBytes_.load(std::memory_order_relaxed); }
    // The loudness of the latest buffer, after volume: 0 (silence) to 32767.
    int soundLevel() const { return level_.load(std::memory_order_relaxed); }
    // The rows of the latest analysed buffer; all zero until the first
    // analysis. Main thread only.
    const uint8_t* soundTextureBytes() { return rows_.front().data(); }

    // Lowers the music for `durationMs`, unless a sample lowered it already:
    // the first sample's length decides when it comes back.
    void duck(uint32_t durationMs);
    // True while the music is lowered for a sample.
    bool ducking() const { return duckPending_; }

private:
    // The post-mix hook, with this object as `self`.
    static void analyse(int channel, void* stream, int length, void* self);
    static uint32_t endDucking(uint32_t interval, void* self);

    MixAnalyser analyser_;
    RowExchange rows_;
    std::atomic<int64_t> lastBufferBytes_{0};
    std::atomic<int> level_{0};
    bool hooked_ = false;
    // Set while a ducking timer is pending. The timer carries this object, never
    // a sample, so releasing a sample can never leave a timer pointing at it.
    std::atomic<bool> duckPending_{false};
    std::atomic<int> duckTimer_{0};
};
