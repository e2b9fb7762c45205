// The espeak-ng voice on SDL's dummy device: synthesis of plausible length, speech that takes its
// real time and is cut off by the next request, silence without voice data or without a device,
// a device that stops playing, and a demonstration that waits for each reading.
#include <gtest/gtest.h>

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "gui/espeakvoice.h"
#include "gui/qtplatform.h"
#include "gui/sdlaudio.h"
#include "kessrin.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "shell/settings.h"
#include "study/speech.h"
#include "support/program_state.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace {

const QString StartReading = QStringLiteral(
    "White Pieces, King e1, Queen d1, Rook a1, h1, Bishop c1, f1, Knight b1, g1, Pawn a2, b2, "
    "c2, d2, e2, f2, g2, h2, Black Pieces, King e8, Queen d8, Rook a8, h8, Bishop c8, f8, Knight "
    "b8, g8, Pawn a7, b7, c7, d7, e7, f7, g7, h7, White to move.");

struct Rendered {
    double seconds = 0;
    int peak = 0;
};

Rendered render(EspeakSynth& synth, const QString& text)
{
    Rendered result;
    long samples = 0;
    EXPECT_TRUE(synth.synthesize(text, [&](const short* data, int count) {
        samples += count;
        for (int i = 0; i < count; ++i)
            result.peak = std::max(result.peak, std::abs(int(data[i])));
        return true;
    }));
    result.seconds = double(samples) / synth.sampleRate();
    return result;
}

// Milliseconds until the voice is idle, or -1 when it still speaks after timeoutMs.
qint64 msUntilIdle(EspeakVoice& voice, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (voice.idle())
            return timer.elapsed();
        QThread::msleep(5);
    }
    return -1;
}

class VoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("SDL_AUDIODRIVER"))
            setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(noData.isValid());
    }
    QTemporaryDir noData; // a voice-data folder with nothing in it
};

TEST_F(VoiceTest, SynthesisGivesAudioOfPlausibleLength)
{
    EspeakSynth synth;
    ASSERT_TRUE(synth.ready()) << "espeak-ng voice data missing";
    EXPECT_GT(synth.sampleRate(), 8000);
    // The library is one per process: a second synthesiser stays unready.
    EXPECT_FALSE(EspeakSynth().ready());

    const Rendered move = render(synth, QStringLiteral("12, White, Knight f3. "));
    EXPECT_GT(move.seconds, 0.5);
    EXPECT_LT(move.seconds, 5.0);
    EXPECT_GT(move.peak, 2000); // speech, not silence
    const Rendered position = render(synth, StartReading);
    EXPECT_GT(position.seconds, 6 * move.seconds);
    EXPECT_LT(position.seconds, 90.0);

    // A sink that refuses more stops the synthesis early.
    int chunks = 0;
    EXPECT_TRUE(synth.synthesize(StartReading, [&](const short*, int) { return ++chunks < 2; }));
    EXPECT_EQ(chunks, 2);
}

// The library keeps the data it first opened, so the missing data is tried in a fresh process.
TEST_F(VoiceTest, MissingVoiceDataLeavesTheProgramSilent)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString empty = noData.path();
    EXPECT_EXIT(
        {
            bool silent = !EspeakSynth(empty).ready();
            SdlAudio audio;
            {
                EspeakVoice voice(audio, empty);
                voice.speak(StartReading);
                silent = silent && msUntilIdle(voice, 3000) >= 0 && msUntilIdle(voice, 3000) < 100;
                voice.speak(StartReading);
                silent = silent && voice.idle();
            }
            // Installing the data later is enough: the next try opens it.
            const bool recovers = EspeakSynth().ready();
            std::_Exit(silent && recovers ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(VoiceTest, WithoutADeviceEveryReadingIsSilent)
{
    const QByteArray previous = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    {
        SdlAudio audio;
        EspeakVoice voice(audio);
        voice.speak(StartReading);
        EXPECT_TRUE(voice.idle());
        voice.speak(QString());
        EXPECT_TRUE(voice.idle());
    }
    qputenv("SDL_AUDIODRIVER", previous);
}

TEST_F(VoiceTest, SpeechTakesItsTimeAndANewRequestCutsIn)
{
    SdlAudio audio;
    EspeakVoice voice(audio);
    EXPECT_TRUE(voice.idle());

    // A short move plays for about its length: idle waits for the audio, not the synthesis.
    voice.speak(QStringLiteral("12, White, Knight f3. "));
    const qint64 shortMs = msUntilIdle(voice, 8000);
    EXPECT_GT(shortMs, 500);
    EXPECT_LT(shortMs, 6000);

    // The whole position lasts many seconds; a move asked for meanwhile replaces it.
    voice.speak(StartReading);
    QThread::msleep(700);
    EXPECT_FALSE(voice.idle());
    voice.speak(QStringLiteral("e4"));
    const qint64 cutMs = msUntilIdle(voice, 8000);
    EXPECT_GE(cutMs, 0);
    EXPECT_LT(cutMs, shortMs + 1000);

    // Stop Reading silences at once.
    voice.speak(StartReading);
    QThread::msleep(300);
    voice.speak(QString());
    EXPECT_TRUE(voice.idle());
}

TEST_F(VoiceTest, AVoiceThatStopsPlayingIsGivenUp)
{
    SdlAudio audio;
    EspeakVoice voice(audio);
    voice.speak(StartReading);
    QThread::msleep(500);
    ASSERT_FALSE(voice.idle());
    // With the device paused no sample is played again; the mixer's device is the first opened.
    const SDL_AudioDeviceID device = 2;
    ASSERT_EQ(SDL_GetAudioDeviceStatus(device), SDL_AUDIO_PLAYING);
    SDL_PauseAudioDevice(device, 1);
    const qint64 givenUp = msUntilIdle(voice, 10000);
    SDL_PauseAudioDevice(device, 0);
    EXPECT_GE(givenUp, EspeakVoice::StallLimit.count() - 600);
    EXPECT_LT(givenUp, EspeakVoice::StallLimit.count() + 2000);
    EXPECT_TRUE(voice.idle());
}

// The whole road: the demonstration's tick on the desktop Platform, with Read Move on, waits
// for each reading before it plays the next move.
TEST_F(VoiceTest, DemonstrationWaitsForEachReading)
{
    QtPlatform desktop;
    setPlatform(&desktop);
    ResetProgramState();
    for (const char* san : {"e4", "e5", "Nf3", "Nc6"})
        ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
    while (Game.CurPly > 0)
        StepBack();

    auto gaps = [&](bool readMove) {
        Cfg.ReadMove = readMove;
        Cfg.PlayIntv = 0;
        while (Game.CurPly > 0)
            StepBack();
        Game.MoveStartTime = desktop.timeOfDay() - 1;
        Clock.DemoRunning = true;
        std::vector<qint64> times;
        QElapsedTimer timer;
        timer.start();
        int shownPly = Game.CurPly;
        while (Game.CurPly < Game.PlyCount && timer.elapsed() < 30000) {
            ClockTick();
            if (Game.CurPly != shownPly) {
                shownPly = Game.CurPly;
                times.push_back(timer.elapsed());
            }
        }
        std::vector<qint64> between;
        for (std::size_t i = 1; i < times.size(); ++i)
            between.push_back(times[i] - times[i - 1]);
        return between;
    };

    const std::vector<qint64> read = gaps(true);
    ASSERT_EQ(read.size(), 3u);
    for (qint64 gap : read)
        EXPECT_GT(gap, 400) << "the next move came during the reading";
    const std::vector<qint64> quiet = gaps(false);
    ASSERT_EQ(quiet.size(), 3u);
    for (qint64 gap : quiet)
        EXPECT_LT(gap, 300);
    Speak(QString());
    setPlatform(nullptr);
    ResetProgramState();
}

} // namespace
