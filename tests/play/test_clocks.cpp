// Game clocks: the figures after moves under each kind of time control, the flag fall, midnight,
// the elapsed-time cap, the label sets and the Level command that mirrors running clocks.
#include "support/clock_fixture.h"

#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "shell/settings.h"

#include <string_view>

namespace {

TEST(FormatClockTest, SixDigitsWithColons)
{
    const std::pair<int, const char*> rows[] = {
        {0, "00:00:00"},     {9, "00:00:09"},     {59, "00:00:59"},
        {60, "00:01:00"},    {3725, "01:02:05"},  {35999, "09:59:59"},
        {36000, "10:00:00"}, {28800, "08:00:00"}, {86399, "23:59:59"},
    };
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(FormatClock(seconds), QString::fromLatin1(text)) << seconds;
}

TEST_F(ClockTest, IncrementIsAddedAfterTheMove)
{
    startTimedGame(true, 1, 1, 999);
    EXPECT_TRUE(Clock.ClockRunning);
    EXPECT_EQ(lowerValue(), "00:01:00"); // White below an unflipped board
    EXPECT_EQ(upperValue(), "00:01:00");
    EXPECT_EQ(lowerHead(), "Timer");
    EXPECT_EQ(lowerRule(), "Plus 1 sec/move");

    passSeconds(10);
    EXPECT_EQ(lowerValue(), "00:00:50");
    move("e4");
    EXPECT_EQ(lowerValue(), "00:00:51");
    EXPECT_EQ(lowerElapsed(), "00:00:10");

    passSeconds(3);
    EXPECT_EQ(upperValue(), "00:00:57");
    EXPECT_EQ(upperElapsed(), "00:00:03");
    EXPECT_EQ(lowerValue(), "00:00:51") << "only the side to move runs";
}

TEST_F(ClockTest, IncrementNeverPassesTheLargestTime)
{
    startTimedGame(true, 480, 600, 999);
    move("e4");
    EXPECT_EQ(Clock.TimeLeft[White], MaxClockSeconds);
}

TEST_F(ClockTest, NegativeIncrementEmptiesTheClockAndTheFlagFallsNextTurn)
{
    startTimedGame(true, 1, -60, 999);
    passSeconds(30);
    move("e4");
    EXPECT_EQ(lowerValue(), "00:00:00");
    EXPECT_TRUE(fake.messages.empty());
    move("e5");
    Clock.TimeLeft[Black] = 40; // Black's own charge emptied its clock as well

    passSeconds(1);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastMessage(), "White's flag fell.");
    EXPECT_EQ(fake.messages.back().icon, MsgIcon::Information);
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    EXPECT_TRUE(Clock.FlagFallen[White]);
    EXPECT_EQ(lowerValue(), "00:00:00");
    EXPECT_EQ(shown.headers[HeaderLabel::Result], "(Black wins)");

    passSeconds(5);
    EXPECT_EQ(fake.messages.size(), 1u) << "the flag falls once";
    EXPECT_EQ(lowerValue(), "00:00:00");
    EXPECT_TRUE(Clock.ClockRunning) << "a flag fall does not end the clocks";

    // Play may go on; the other side's clock still runs on its turn.
    move("Nf3");
    EXPECT_EQ(Clock.TimeLeft[White], 0) << "a fallen flag takes no increment";
    passSeconds(2);
    EXPECT_EQ(Clock.TimeLeft[Black], 38);
}

TEST_F(ClockTest, MovesPerPeriodStartANewPeriodWithTheFullTime)
{
    startTimedGame(false, 5, 1, 2);
    EXPECT_EQ(lowerRule(), "In next 2 moves");
    passSeconds(10);
    move("e4");
    EXPECT_EQ(lowerValue(), "00:04:50");
    EXPECT_EQ(lowerRule(), "In next 1 moves");
    move("e5");
    passSeconds(20);
    move("Nf3");
    EXPECT_EQ(lowerValue(), "00:05:00") << "time left from the old period is not carried";
    EXPECT_EQ(lowerRule(), "In next 2 moves");
    EXPECT_EQ(upperRule(), "In next 1 moves");
    EXPECT_EQ(lowerElapsed(), "00:00:30");
}

TEST_F(ClockTest, FlagFallsOnlyForTheSideToMove)
{
    startTimedGame(true, 1, 0, 999);
    Clock.TimeLeft[Black] = 0;
    passSeconds(5);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_FALSE(Clock.FlagFallen[Black]);
    EXPECT_EQ(Clock.TimeLeft[White], 55);

    move("d4");
    passSeconds(1);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastMessage(), "Black's flag fell.");
    EXPECT_EQ(Game.GameResult, ResultWhiteWins);
    EXPECT_FALSE(Clock.FlagFallen[White]);
    EXPECT_EQ(upperValue(), "00:00:00");
}

TEST_F(ClockTest, CrossingMidnightNeitherStopsNorJumps)
{
    fake.clock = 86400.0 - 2.25;
    startTimedGame(true, 1, 0, 999);
    passSeconds(6);
    EXPECT_EQ(Clock.TimeLeft[White], 54);
    EXPECT_LT(fake.clock, 10.0);
}

TEST_F(ClockTest, AStalledLoopCostsOneSecond)
{
    startTimedGame(true, 1, 0, 999);
    fake.clock += 30.0;
    ClockTick();
    EXPECT_EQ(Clock.TimeLeft[White], 59);
    passSeconds(1);
    EXPECT_EQ(Clock.TimeLeft[White], 58);
}

TEST_F(ClockTest, ElapsedTimeStopsAtEightHours)
{
    startTimedGame(true, 480, 0, 999);
    Clock.TimeElapsed[White] = MaxClockSeconds - 1;
    passSeconds(3);
    EXPECT_EQ(lowerElapsed(), "08:00:00");
    EXPECT_EQ(Clock.TimeLeft[White], 480 * 60 - 3);
}

TEST_F(ClockTest, RotationSwapsTheLabelSets)
{
    startTimedGame(true, 2, 0, 999);
    Clock.TimeLeft = {61, 90};
    Clock.TimeElapsed = {5, 7};
    struct Row {
        bool flipped;
        const char* upper;
        const char* lower;
        const char* upperElapsed;
    };
    for (const Row& row : {Row{false, "00:01:30", "00:01:01", "00:00:07"},
                           Row{true, "00:01:01", "00:01:30", "00:00:05"}}) {
        Game.Flipped = row.flipped;
        ShowClock(White);
        ShowClock(Black);
        EXPECT_EQ(upperValue(), row.upper) << row.flipped;
        EXPECT_EQ(lowerValue(), row.lower) << row.flipped;
        EXPECT_EQ(upperElapsed(), row.upperElapsed) << row.flipped;
    }
}

TEST_F(ClockTest, UntimedLevelsShowTheLevel)
{
    struct Row {
        int level;
        const char* value;
    };
    for (const Row& row : {Row{-5, "Beginner"}, Row{8, "8 Plies"}, Row{100, "Infinite"}}) {
        Cfg.Depth = static_cast<qint16>(row.level);
        ShowClock(-1);
        EXPECT_EQ(lowerHead(), "Level");
        EXPECT_EQ(lowerValue(), row.value);
        EXPECT_EQ(lowerRule(), "");
        EXPECT_EQ(lowerElapsed(), "00:00:00");
    }
}

TEST_F(ClockTest, OnlyATimedGameAgainstTheComputerRuns)
{
    struct Row {
        int level;
        bool engineWhite, engineBlack;
        bool runs;
    };
    for (const Row& row :
         {Row{0, false, true, true}, Row{0, true, false, true}, Row{0, false, false, false},
          Row{-5, true, false, false}, Row{12, false, true, false}}) {
        Cfg.Depth = static_cast<qint16>(row.level);
        Engine.EngineWhite = row.engineWhite;
        Engine.EngineBlack = row.engineBlack;
        ApplyLevel();
        EXPECT_EQ(Clock.ClockRunning, row.runs) << row.level;
        EXPECT_EQ(levelTicked(), row.runs) << row.level;
    }
    passSeconds(3);
    EXPECT_EQ(Clock.TimeLeft[White], Cfg.InitTime * 60) << "stopped clocks stay still";
}

TEST_F(ClockTest, ElapsedTimesSurviveANewLevelButNotAReset)
{
    startTimedGame(true, 1, 0, 999);
    passSeconds(4);
    Cfg.InitTime = 3;
    ApplyLevel();
    EXPECT_EQ(lowerValue(), "00:03:00");
    EXPECT_EQ(lowerElapsed(), "00:00:04");
    ResetClocks();
    EXPECT_EQ(Clock.TimeElapsed[White], 0);
    EXPECT_FALSE(Clock.ClockRunning);
    EXPECT_FALSE(levelTicked());
}

TEST_F(ClockTest, ChargeIsSkippedWhenClocksAreStopped)
{
    startTimedGame(false, 5, 0, 2);
    StopClocks();
    move("e4");
    EXPECT_EQ(Clock.MovesLeft[White], 2);
}

TEST_F(ClockTest, LevelCommandStopsRunningClocks)
{
    startTimedGame(true, 1, 0, 999);
    ASSERT_TRUE(levelTicked());
    mnEngineLevel_Click();
    EXPECT_FALSE(Clock.ClockRunning);
    EXPECT_FALSE(levelTicked());
    EXPECT_EQ(shown.levelDialogs, 0);
    passSeconds(2);
    EXPECT_EQ(Clock.TimeLeft[White], 60);
}

TEST_F(ClockTest, TickRunsTheDemonstrationStepEveryPass)
{
    for (const char* san : {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"})
        move(san);
    while (Game.CurPly > 0)
        StepBack();
    Cfg.PlayIntv = 0;
    Game.MoveStartTime = fake.clock;
    Clock.DemoRunning = true;
    passSeconds(2);
    EXPECT_EQ(Game.CurPly, 4);
    EXPECT_EQ(fake.sleepCalls, 4);
    EXPECT_EQ(fake.sleptMs, 4);
    // A voice still speaking holds the demonstration back.
    fake.speaking = true;
    passSeconds(1);
    EXPECT_EQ(Game.CurPly, 4);
}

TEST_F(ClockTest, TickWaitsForEventsOnlyWhenNothingRuns)
{
    // Each row starts one thing that needs the 1 ms tick; with none of them the tick waits.
    struct Row {
        const char* what;
        void (*start)(FakePlatform&);
    } rows[] = {
        {"nothing", [](FakePlatform&) {}},
        {"clock", [](FakePlatform&) { Clock.ClockRunning = true; }},
        {"demonstration", [](FakePlatform&) { Clock.DemoRunning = true; Game.CurPly = 0; }},
        {"search", [](FakePlatform&) { Engine.EngineState = 6; }},
        {"analysis", [](FakePlatform&) { Engine.EngineState = 5; }},
        {"pondering", [](FakePlatform&) { Engine.EngineState = 7; }},
        {"voice", [](FakePlatform& p) { p.speaking = true; }},
        {"music", [](FakePlatform&) { Cfg.Music = 2; }},
    };
    move("e4");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Game.CurPly = Game.PlyCount;
        Clock.ClockRunning = false;
        Clock.DemoRunning = true; // at the last ply it waits for the user
        Engine.EngineState = 1;
        fake.speaking = false;
        Cfg.Music = 0;
        row.start(fake);
        const int sleeps = fake.sleepCalls;
        const int waits = fake.idleWaits;
        ClockTick();
        const bool idle = std::string_view(row.what) == "nothing";
        EXPECT_EQ(fake.idleWaits - waits, idle ? 1 : 0);
        EXPECT_EQ(fake.sleepCalls - sleeps, idle ? 0 : 1);
    }
}

} // namespace
