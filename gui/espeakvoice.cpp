#include "gui/espeakvoice.h"

#include "gui/sdlaudio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <espeak-ng/espeak_ng.h>

namespace {

std::atomic<bool> synthInUse{false};
thread_local const std::function<bool(const short*, int)>* currentSink = nullptr;

// English as the program's texts are; the American variant where the data has it.
const char* const VoiceNames[] = {"en-us", "en"};

int synthCallback(short* samples, int count, espeak_EVENT* /*events*/)
{
    if (!currentSink)
        return 1;
    if (samples && count > 0)
        return (*currentSink)(samples, count) ? 0 : 1;
    return 0;
}

std::chrono::steady_clock::time_point now()
{
    return std::chrono::steady_clock::now();
}

} // namespace

EspeakSynth::EspeakSynth(const QString& dataFolder)
{
    bool expected = false;
    if (!synthInUse.compare_exchange_strong(expected, true))
        return;
    claimed = true;
    // The library is opened once and kept: closing it and opening it again can hang it.
    static bool libraryOpen = false;
    static QString libraryFolder;
    static int libraryRate = 0;
    if (!libraryOpen) {
        const QByteArray path = dataFolder.toLocal8Bit();
        espeak_ng_InitializePath(dataFolder.isEmpty() ? nullptr : path.constData());
        espeak_ng_ERROR_CONTEXT context = nullptr;
        espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status == ENS_OK)
            status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        bool voiced = false;
        for (const char* name : VoiceNames) {
            if (status != ENS_OK)
                break;
            if (espeak_ng_SetVoiceByName(name) == ENS_OK) {
                voiced = true;
                break;
            }
        }
        if (!voiced || espeak_ng_GetSampleRate() <= 0)
            return;
        espeak_SetSynthCallback(synthCallback);
        libraryOpen = true;
        libraryFolder = dataFolder;
        libraryRate = espeak_ng_GetSampleRate();
    }
    opened = libraryFolder == dataFolder;
    rate = libraryRate;
}

EspeakSynth::~EspeakSynth()
{
    if (claimed)
        synthInUse = false;
}

bool EspeakSynth::synthesize(const QString& text,
                             const std::function<bool(const short*, int)>& sink)
{
    if (!opened)
        return false;
    const QByteArray utf8 = text.toUtf8();
    currentSink = &sink;
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0,
                             POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    currentSink = nullptr;
    return status == ENS_OK || status == ENS_SPEECH_STOPPED;
}

EspeakVoice::EspeakVoice(SdlAudio& device, const QString& dataFolder)
    : device(device), dataFolder(dataFolder)
{
}

EspeakVoice::~EspeakVoice()
{
    if (state != State::Running)
        return;
    // The device stops calling in before the stream it reads goes away.
    Mix_SetPostMix(nullptr, nullptr);
    {
        std::lock_guard guard(lock);
        quit = true;
        ++generation;
    }
    wake.notify_all();
    worker.join();
}

bool EspeakVoice::start()
{
    if (state != State::Untried)
        return state == State::Running;
    state = State::Failed;
    if (!device.available())
        return false;
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!Mix_QuerySpec(&rate, &format, &channels))
        return false;
    deviceRate = rate;
    deviceFormat = format;
    deviceChannels = channels;
    worker = std::thread(&EspeakVoice::work, this);
    Mix_SetPostMix(&EspeakVoice::postMix, this);
    state = State::Running;
    return true;
}

void EspeakVoice::speak(const QString& text)
{
    if (!start())
        return;
    {
        std::lock_guard guard(lock);
        if (synthFailed)
            return;
        ++generation;
        dropSpeech();
        if (!text.isEmpty())
            request = text;
        lastProgress = now();
    }
    wake.notify_one();
}

bool EspeakVoice::idle()
{
    if (state != State::Running)
        return true;
    std::lock_guard guard(lock);
    if (!busy())
        return true;
    if (now() - lastProgress > StallLimit) {
        ++generation;
        dropSpeech();
        return true;
    }
    return false;
}

void EspeakVoice::dropSpeech()
{
    request.reset();
    if (pending)
        SDL_AudioStreamClear(pending);
}

bool EspeakVoice::busy() const
{
    return synthesizing || request.has_value() ||
           (pending && SDL_AudioStreamAvailable(pending) > 0);
}

void EspeakVoice::postMix(void* self, std::uint8_t* stream, int length)
{
    auto& voice = *static_cast<EspeakVoice*>(self);
    std::lock_guard guard(voice.lock);
    if (!voice.pending || length <= 0)
        return;
    voice.mixBuffer.resize(static_cast<std::size_t>(length));
    const int got = SDL_AudioStreamGet(voice.pending, voice.mixBuffer.data(), length);
    if (got <= 0)
        return;
    SDL_MixAudioFormat(stream, voice.mixBuffer.data(), voice.deviceFormat, static_cast<Uint32>(got),
                       SDL_MIX_MAXVOLUME);
    voice.lastProgress = now();
}

void EspeakVoice::work()
{
    EspeakSynth synth(dataFolder);
    std::unique_lock guard(lock);
    if (synth.ready())
        pending = SDL_NewAudioStream(AUDIO_S16SYS, 1, synth.sampleRate(), deviceFormat,
                                     static_cast<Uint8>(deviceChannels), deviceRate);
    if (!pending) {
        // No voice: later requests are dropped at once.
        synthFailed = true;
        request.reset();
        return;
    }
    for (;;) {
        wake.wait(guard, [this] { return quit || request.has_value(); });
        if (quit)
            break;
        const QString text = *request;
        request.reset();
        const std::uint64_t mine = generation;
        synthesizing = true;
        lastProgress = now();
        guard.unlock();
        synth.synthesize(text, [this, mine](const short* samples, int count) {
            std::lock_guard inner(lock);
            if (generation != mine)
                return false;
            SDL_AudioStreamPut(pending, samples, count * static_cast<int>(sizeof(short)));
            lastProgress = now();
            return true;
        });
        guard.lock();
        if (generation == mine)
            SDL_AudioStreamFlush(pending);
        synthesizing = false;
    }
    SDL_FreeAudioStream(pending);
    pending = nullptr;
}
