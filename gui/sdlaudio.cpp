#include "gui/sdlaudio.h"

#include <QFileInfo>

#include <SDL.h>
#include <SDL_mixer.h>

#include <dlfcn.h>

namespace {

constexpr int EffectsChannel = 0;
constexpr int SampleRate = 44100;
constexpr int ChunkBytes = 2048;

// Debian's small General MIDI font first: the large ones take seconds to load per piece.
const char* const SoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

void ignoreAlsaMessage(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                       const char* /*format*/, ...)
{
}

// ALSA reports a machine without a sound card on stderr while SDL probes its drivers; that case
// is an ordinary one here (the program stays silent), so its messages are dropped. The library
// stays loaded so that the handler outlives SDL's own loading and unloading of it.
void silenceAlsa()
{
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    static void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        return;
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(ignoreAlsaMessage);
}

} // namespace

void SdlAudio::ChunkFree::operator()(Mix_Chunk* chunk) const
{
    Mix_FreeChunk(chunk);
}

void SdlAudio::MusicFree::operator()(_Mix_Music* piece) const
{
    Mix_FreeMusic(piece);
}

SdlAudio::~SdlAudio()
{
    if (state != State::Open)
        return;
    Mix_HaltChannel(-1);
    chunks.clear();
    closeMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QString SdlAudio::soundFont()
{
    for (const char* path : SoundFonts)
        if (QFileInfo(QString::fromLatin1(path)).isReadable())
            return QString::fromLatin1(path);
    return {};
}

bool SdlAudio::available()
{
    if (state != State::Untried)
        return state == State::Open;
    state = State::Failed;
    silenceAlsa();
    // SDL's own handlers would swallow SIGTERM and SIGINT; the program ends itself on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    const QString font = soundFont();
    if (!font.isEmpty())
        Mix_SetSoundFonts(font.toLocal8Bit().constData());
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(SampleRate, MIX_DEFAULT_FORMAT, 2, ChunkBytes) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    state = State::Open;
    return true;
}

bool SdlAudio::playSound(const QString& path)
{
    if (!available())
        return false;
    const std::string key = path.toStdString();
    auto found = chunks.find(key);
    if (found == chunks.end()) {
        Mix_Chunk* chunk =
            Mix_LoadWAV(QFileInfo(path).absoluteFilePath().toLocal8Bit().constData());
        if (!chunk)
            return false;
        found = chunks.emplace(key, std::unique_ptr<Mix_Chunk, ChunkFree>(chunk)).first;
    }
    Mix_HaltChannel(EffectsChannel);
    return Mix_PlayChannel(EffectsChannel, found->second.get(), 0) >= 0;
}

void SdlAudio::stopSound()
{
    if (state == State::Open)
        Mix_HaltChannel(-1);
}

bool SdlAudio::playMusic(const QString& path)
{
    closeMusic();
    if (!available())
        return false;
    music.reset(Mix_LoadMUS(QFileInfo(path).absoluteFilePath().toLocal8Bit().constData()));
    if (!music)
        return false;
    if (Mix_PlayMusic(music.get(), 0) != 0) {
        music.reset();
        return false;
    }
    return true;
}

bool SdlAudio::musicEnded()
{
    return music && !Mix_PlayingMusic();
}

void SdlAudio::replayMusic()
{
    if (music)
        Mix_PlayMusic(music.get(), 0);
}

void SdlAudio::closeMusic()
{
    if (!music)
        return;
    Mix_HaltMusic();
    music.reset();
}
