// Levels: display texts, warnings and the search limits of every level kind.
#include "support/clock_fixture.h"

#include "engine/enginestate.h"
#include "engine/search.h"
#include "play/clockstate.h"
#include "play/levels.h"
#include "shell/settings.h"

namespace {

TEST(LevelTextTest, EveryKind)
{
    const std::pair<const char*, const char*> rows[] = {
        {"0", ""},          {"100", "Infinite"},     {"-1", "Peabrain"},
        {"-10", "Master"},  {"-12", "Overwhelming"}, {"8", "8 Plies"},
        {"99", "99 Plies"}, {"1", "1 Plies"},
    };
    for (const auto& [level, text] : rows)
        EXPECT_EQ(LevelText(QString::fromLatin1(level)), QString::fromLatin1(text)) << level;
    EXPECT_EQ(LevelText(-5), "Beginner");
    EXPECT_EQ(LevelText(0), "");
}

class LevelLimitsTest : public ClockTest {};

TEST_F(LevelLimitsTest, LimitsForEachLevelKind)
{
    struct Row {
        int level;
        bool incMode;
        int incTime;
        int side;
        const char* limits;
    };
    Clock.TimeLeft = {300, 300};
    Clock.MovesLeft = {3, 7};
    const Row rows[] = {
        {-12, false, 1, White, " depth 24"},
        {-2, false, 1, White, " depth 4"},
        {8, false, 1, White, " depth 8"},
        {100, false, 1, Black, " depth 100"},
        {0, true, -10, White, " wtime 300000 btime 300000 winc 0 binc 0"},
        {0, true, 5, Black, " wtime 300000 btime 300000 winc 5000 binc 5000"},
        {0, false, 1, White, " wtime 300000 btime 300000 movestogo 3"},
        {0, false, 1, Black, " wtime 300000 btime 300000 movestogo 7"},
    };
    for (const Row& row : rows) {
        Cfg.Depth = static_cast<qint16>(row.level);
        Cfg.IncMode = row.incMode;
        Cfg.IncTime = static_cast<qint16>(row.incTime);
        EXPECT_EQ(SearchLimits(row.side), QString::fromLatin1(row.limits)) << row.level;
        // The search commands take the same limits once the Level command is connected.
        EXPECT_EQ(GoLimitsText(LevelLimits(row.side)), QString::fromLatin1(row.limits));
    }
}

TEST_F(LevelLimitsTest, TimedLimitsFollowTheRunningClocks)
{
    startTimedGame(false, 5, 0, 40);
    passSeconds(12);
    move("e4");
    EXPECT_EQ(SearchLimits(Black), " wtime 288000 btime 300000 movestogo 40");
}

TEST(LevelWarningTest, GrandmasterOverwhelmingAndInfinite)
{
    const QString stop = "\n\nPress 'Stop / Move Now' to make the computer stop thinking.";
    EXPECT_EQ(LevelWarning(10), "'Grandmaster' usually takes much time to make a move. Do not try "
                                "this level if you lack patience." +
                                    stop);
    EXPECT_EQ(LevelWarning(11), "'Overwhelming' usually takes much more time than 'Grandmaster' "
                                "to make a move. Do not try this level if you lack patience." +
                                    stop);
    EXPECT_EQ(LevelWarning(LevelInfinite),
              "'Infinite' usually fits for solving puzzles and endgames instead of normal games, "
              "where the computer will keep thinking until a checkmate concluded." +
                  stop);
    for (int other : {0, 4, 9, 12, -1})
        EXPECT_EQ(LevelWarning(other), "") << other;
}

} // namespace
