// Sound effects and music over SDL2_mixer. The device opens on first use; without a usable
// device every call does nothing and reports failure, quietly.
#pragma once

#include <QString>

#include <map>
#include <memory>
#include <string>

struct Mix_Chunk;
struct _Mix_Music;

class SdlAudio {
public:
    SdlAudio() = default;
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Plays a WAV file on the one effects channel, cutting off what plays there.
    bool playSound(const QString& path);
    void stopSound();
    // Closes the open music, then opens a MIDI file and plays it once.
    bool playMusic(const QString& path);
    // True once the open music has stopped playing.
    bool musicEnded();
    void replayMusic();
    void closeMusic();
    // Whether the device could be opened (opening it if not tried yet).
    bool available();

    // The General MIDI sound font the synthesiser uses; "" when none is installed.
    static QString soundFont();

private:
    struct ChunkFree {
        void operator()(Mix_Chunk* chunk) const;
    };
    struct MusicFree {
        void operator()(_Mix_Music* music) const;
    };

    enum class State { Untried, Open, Failed };
    State state = State::Untried;
    // Effects stay loaded: a chunk must outlive its playing, and the same few play again.
    std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks;
    std::unique_ptr<_Mix_Music, MusicFree> music;
};
