// Sound effects and music: the rules of when they play (through the scripted Platform), and the
// SDL2_mixer backend itself on the dummy audio driver.
#include "gui/sdlaudio.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/settings.h"
#include "support/fake_platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

void appendLE(QByteArray& bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit WAV of silence.
QByteArray silentWav(int milliseconds)
{
    const quint32 rate = 22050;
    const quint32 dataBytes = rate * 2 * static_cast<quint32>(milliseconds) / 1000;
    QByteArray wav("RIFF");
    appendLE(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    appendLE(wav, 16, 4);
    appendLE(wav, 1, 2); // PCM
    appendLE(wav, 1, 2); // mono
    appendLE(wav, rate, 4);
    appendLE(wav, rate * 2, 4);
    appendLE(wav, 2, 2);
    appendLE(wav, 16, 2);
    wav += "data";
    appendLE(wav, dataBytes, 4);
    wav += QByteArray(static_cast<int>(dataBytes), '\0');
    return wav;
}

// A one-track Standard MIDI File: two short notes, about 0.3 s in all at 120 beats a minute.
QByteArray shortMidi()
{
    const unsigned char track[] = {
        0x00, 0xC0, 0x00,       // piano
        0x00, 0x90, 60,   100,  // C4 on
        0x78, 0x80, 60,   0,    // off after 120 ticks (an eighth)
        0x00, 0x90, 64,   100,  // E4 on
        0x78, 0x80, 64,   0,    // off
        0x00, 0xFF, 0x2F, 0x00, // end of track
    };
    QByteArray midi("MThd");
    midi += QByteArray::fromHex("00000006"
                                "0000"
                                "0001"
                                "00f0");
    midi += "MTrk";
    midi += QByteArray::fromHex("000000") + static_cast<char>(sizeof(track));
    midi += QByteArray(reinterpret_cast<const char*>(track), sizeof(track));
    return midi;
}

class AudioRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Cfg = Settings::defaults();
        App = AppState();
        ASSERT_TRUE(folder.isValid());
        App.ProgramFolder = folder.path() + QLatin1Char('/');
        QDir(folder.path()).mkpath(QStringLiteral("SOUNDS"));
        QDir(folder.path()).mkpath(QStringLiteral("MUSICS"));
        writeFile(App.ProgramFolder + QStringLiteral("SOUNDS/MOVE.WAV"), silentWav(10));
        writeFile(App.ProgramFolder + QStringLiteral("MUSICS/ELISE.MID"), shortMidi());
    }
    QTemporaryDir folder;
    FakePlatform fake;
};

TEST_F(AudioRulesTest, SoundsPlayOnlyWhenOnAndPresent)
{
    const struct {
        bool soundsOn;
        const char* name;
        bool plays;
    } rows[] = {
        {true, "MOVE", true},
        {false, "MOVE", false},
        {true, "CAPTURE", false}, // no such file
        {true, "", false},
    };
    for (const auto& row : rows) {
        fake.soundsPlayed.clear();
        Cfg.Sounds = row.soundsOn;
        PlaySoundName(QString::fromLatin1(row.name));
        if (row.plays) {
            ASSERT_EQ(fake.soundsPlayed.size(), 1u) << row.name;
            EXPECT_EQ(fake.soundsPlayed[0], App.ProgramFolder + QStringLiteral("SOUNDS/MOVE.WAV"));
        } else {
            EXPECT_TRUE(fake.soundsPlayed.empty()) << row.name << row.soundsOn;
        }
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(AudioRulesTest, MusicStartsStopsAndIsStored)
{
    SetMusic(1);
    EXPECT_EQ(Cfg.Music, 1);
    ASSERT_EQ(fake.musicPlayed.size(), 1u);
    EXPECT_EQ(fake.music, App.ProgramFolder + QStringLiteral("MUSICS/ELISE.MID"));

    SetMusic(0);
    EXPECT_EQ(Cfg.Music, 0);
    EXPECT_TRUE(fake.music.isEmpty());

    SetMusic(2); // JOY.MID is missing: silent and unreported, but remembered
    EXPECT_EQ(Cfg.Music, 2);
    EXPECT_EQ(fake.musicPlayed.size(), 1u);
    EXPECT_TRUE(fake.messages.empty());

    SetMusic(12); // beyond the pieces
    EXPECT_EQ(Cfg.Music, 0);
}

TEST_F(AudioRulesTest, SecondInstanceNeverStartsMusic)
{
    App.SecondInstance = true;
    for (int index = 0; index <= 11; ++index) {
        SetMusic(index);
        EXPECT_EQ(Cfg.Music, index);
    }
    EXPECT_TRUE(fake.musicPlayed.empty());
}

TEST_F(AudioRulesTest, MusicRepeatsWhileOn)
{
    SetMusic(1);
    MusicTick();
    EXPECT_EQ(fake.musicReplays, 0); // still playing
    fake.musicFinished = true;
    MusicTick();
    EXPECT_EQ(fake.musicReplays, 1);
    EXPECT_FALSE(fake.musicFinished);

    fake.musicFinished = true;
    Cfg.Music = 0;
    MusicTick();
    EXPECT_EQ(fake.musicReplays, 1);
}

TEST_F(AudioRulesTest, ShutdownSilencesBoth)
{
    SetMusic(1);
    StopSound();
    CloseMusic();
    EXPECT_EQ(fake.soundStops, 1);
    EXPECT_TRUE(fake.music.isEmpty());
}

// The real backend; the test environment selects SDL's dummy driver, so nothing is heard.
class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("SDL_AUDIODRIVER"))
            setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(folder.isValid());
        writeFile(folder.filePath(QStringLiteral("CLICK.WAV")), silentWav(50));
        writeFile(folder.filePath(QStringLiteral("TUNE.MID")), shortMidi());
    }
    // Waits (really) until the music has ended, at most timeoutMs.
    static bool waitForEnd(SdlAudio& audio, int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            if (audio.musicEnded())
                return true;
            QThread::msleep(10);
        }
        return false;
    }
    QTemporaryDir folder;
};

TEST_F(SdlAudioTest, EffectsPlayAndMissingFilesFail)
{
    SdlAudio audio;
    ASSERT_TRUE(audio.available());
    EXPECT_TRUE(audio.playSound(folder.filePath(QStringLiteral("CLICK.WAV"))));
    EXPECT_TRUE(audio.playSound(folder.filePath(QStringLiteral("CLICK.WAV"))));
    EXPECT_FALSE(audio.playSound(folder.filePath(QStringLiteral("NONE.WAV"))));
    audio.stopSound();
}

TEST_F(SdlAudioTest, MusicPlaysEndsAndReplays)
{
    ASSERT_FALSE(SdlAudio::soundFont().isEmpty()) << "no General MIDI sound font installed";
    SdlAudio audio;
    EXPECT_FALSE(audio.musicEnded()); // nothing open
    ASSERT_TRUE(audio.playMusic(folder.filePath(QStringLiteral("TUNE.MID"))));
    EXPECT_FALSE(audio.musicEnded());
    ASSERT_TRUE(waitForEnd(audio, 5000));

    audio.replayMusic();
    EXPECT_FALSE(audio.musicEnded());
    ASSERT_TRUE(waitForEnd(audio, 5000));

    audio.closeMusic();
    EXPECT_FALSE(audio.musicEnded());
    EXPECT_FALSE(audio.playMusic(folder.filePath(QStringLiteral("NONE.MID"))));
    EXPECT_FALSE(audio.musicEnded());
}

// With no usable device every call fails quietly and nothing crashes.
TEST(SdlAudioWithoutDevice, StaysSilent)
{
    const QByteArray previous = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    {
        SdlAudio audio;
        EXPECT_FALSE(audio.available());
        EXPECT_FALSE(audio.playSound(QStringLiteral("/nonexistent/CLICK.WAV")));
        EXPECT_FALSE(audio.playMusic(QStringLiteral("/nonexistent/TUNE.MID")));
        EXPECT_FALSE(audio.musicEnded());
        audio.replayMusic();
        audio.stopSound();
        audio.closeMusic();
    }
    qputenv("SDL_AUDIODRIVER", previous);
}

} // namespace
