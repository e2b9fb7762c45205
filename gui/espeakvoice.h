// The text-to-speech voice: espeak-ng synthesises on a thread of its own and the samples play
// through the SDL mixer's device, so speech starts, stops and reports itself like the sounds.
// Without voice data or without a sound device it stays silent and always idle.
#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class SdlAudio;
struct _SDL_AudioStream;

// espeak-ng in synchronous mode. The library is process-wide: it opens on first use and stays
// open for the rest of the run, with the data folder it first opened successfully; only one
// synthesiser can use it at a time, a second one stays unready. Use it from one thread.
class EspeakSynth {
public:
    // dataFolder is an "espeak-ng-data" folder or holds one; "" uses the system's voice data.
    explicit EspeakSynth(const QString& dataFolder = {});
    ~EspeakSynth();
    EspeakSynth(const EspeakSynth&) = delete;
    EspeakSynth& operator=(const EspeakSynth&) = delete;

    bool ready() const { return opened; }
    // Samples per second of the 16-bit mono output.
    int sampleRate() const { return rate; }
    // Hands the samples to sink as they are made; sink answers false to stop early. False when
    // not ready or the text could not be synthesised.
    bool synthesize(const QString& text, const std::function<bool(const short*, int)>& sink);

private:
    bool claimed = false;
    bool opened = false;
    int rate = 0;
};

class EspeakVoice {
public:
    // The voice speaks through device; dataFolder as for EspeakSynth.
    explicit EspeakVoice(SdlAudio& device, const QString& dataFolder = {});
    ~EspeakVoice();
    EspeakVoice(const EspeakVoice&) = delete;
    EspeakVoice& operator=(const EspeakVoice&) = delete;

    // Starts speaking text, dropping whatever was being said; "" only silences.
    void speak(const QString& text);
    // True unless text is being synthesised or its samples are still playing. A voice that
    // makes no progress for StallLimit counts as idle and is silenced.
    bool idle();

    static constexpr std::chrono::milliseconds StallLimit{2000};

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    static void postMix(void* self, std::uint8_t* stream, int length);
    void work();
    bool start();
    // Both run with the lock held.
    void dropSpeech();
    bool busy() const;

    SdlAudio& device;
    const QString dataFolder;
    enum class State { Untried, Running, Failed };
    State state = State::Untried; // UI thread only

    std::mutex lock;
    std::condition_variable wake;
    std::thread worker;
    bool quit = false;
    std::optional<QString> request;
    bool synthesizing = false;
    bool synthFailed = false;
    std::uint64_t generation = 0;        // a new request or a silence makes running synthesis stop
    _SDL_AudioStream* pending = nullptr; // converted samples waiting for the device
    std::uint16_t deviceFormat = 0;
    int deviceRate = 0;
    int deviceChannels = 0;
    std::vector<std::uint8_t> mixBuffer; // audio thread only
    TimePoint lastProgress{};
};
