#include "support/game_fixture.h"

#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "files/savegame.h"
#include "play/chess960.h"
#include "play/clockstate.h"
#include "play/gamecontrol.h"
#include "play/sidecommands.h"
#include "shell/settings.h"

namespace {

const QString Standard = QString::fromLatin1(StandardFen);

// The side the computer plays after a new game: 'W', 'B', '-' (neither) or '2' (both).
char sides()
{
    return Engine.EngineWhite ? (Engine.EngineBlack ? '2' : 'W') : (Engine.EngineBlack ? 'B' : '-');
}

TEST_F(GameTest, EachRoleGivesItsSides)
{
    loadEngine();
    fake.randomAnswers = {0, 1};
    const struct {
        int role;
        char computer;
    } rows[] = {{RoleNoComputer, '-'}, {RoleComputerWhite, 'W'}, {RoleComputerBlack, 'B'},
                {RoleRandom, 'W'},     {RoleRandom, 'B'},        {RoleNoComputer, '-'}};
    for (const auto& row : rows) {
        AssignSides(row.role);
        EXPECT_EQ(sides(), row.computer) << row.role;
    }
}

TEST_F(GameTest, NoComputerLeavesTicksOffNamesUnsetAndClocksStopped)
{
    loadEngine();
    Cfg.Depth = 0; // a time control, which would start the clocks of a game against the engine
    Cfg.EnginePlay = RoleNoComputer;
    AskNewGame();
    EXPECT_EQ(sides(), '-');
    EXPECT_FALSE(ticked("mnEngineWhite"));
    EXPECT_FALSE(ticked("mnEngineBlack"));
    EXPECT_TRUE(Game.TagWhite.isEmpty());
    EXPECT_TRUE(Game.TagBlack.isEmpty());
    EXPECT_FALSE(Clock.ClockRunning);
    EXPECT_FALSE(ticked("mnEngineLevel"));
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("NEWGAME")});

    Cfg.EnginePlay = RoleComputerBlack;
    AskNewGame();
    EXPECT_TRUE(Clock.ClockRunning);
    EXPECT_TRUE(ticked("mnEngineLevel"));
}

TEST_F(GameTest, WithoutAnEngineANewGameOnlySoundsAndKeepsTheSides)
{
    Engine.EngineBlack = true; // left over, as the sides never change without an engine
    AssignSides(RoleComputerWhite);
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("NEWGAME")});
    EXPECT_EQ(sides(), 'B');
    EXPECT_TRUE(Game.TagWhite.isEmpty());
}

TEST_F(GameTest, PlayerNamesFollowShowPlayersUserLevelAndSlave)
{
    const struct {
        bool showPlayers;
        const char* user;
        int level;
        int role;
        bool slaveBlack;
        const char* white;
        const char* black;
    } rows[] = {
        {true, "", -10, RoleComputerBlack, false, "Chess Fan", "Stockfish 15 (Master)"},
        {true, "Ann", -1, RoleComputerWhite, false, "Stockfish 15 (Peabrain)", "Ann"},
        {true, "Ann", 0, RoleComputerWhite, false, "Stockfish 15", "Ann"}, // timed: no suffix
        {true, "", 8, RoleComputerBlack, false, "Chess Fan", "Stockfish 15 (8 Plies)"},
        {true, "", 100, RoleComputerWhite, false, "Stockfish 15 (Infinite)", "Chess Fan"},
        {true, "", -12, RoleComputerBlack, true, "Chess Fan", "Toga (Overwhelming)"},
        {true, "", -12, RoleComputerWhite, true, "Stockfish 15 (Overwhelming)", "Chess Fan"},
        {false, "Ann", -10, RoleComputerBlack, false, "", ""},
    };
    loadEngine();
    for (const auto& row : rows) {
        Cfg.EngineName = row.showPlayers;
        Cfg.User = QString::fromLatin1(row.user);
        Cfg.Depth = static_cast<qint16>(row.level);
        Engine.SlaveName = QStringLiteral("Toga");
        NewGame();
        Engine.SlaveBlack = row.slaveBlack;
        AssignSides(row.role);
        EXPECT_EQ(Game.TagWhite, QString::fromLatin1(row.white)) << row.level << row.user;
        EXPECT_EQ(Game.TagBlack, QString::fromLatin1(row.black)) << row.level << row.user;
        Engine.SlaveBlack = false;
    }
}

TEST_F(GameTest, PonderingFollowsTheNumberOfEngineSides)
{
    loadEngine();
    Cfg.AlwaysPonder = true;
    AssignSides(RoleComputerBlack);
    EXPECT_TRUE(Engine.PonderOn);
    EXPECT_TRUE(ticked("mnEnginePonder"));
    EXPECT_TRUE(enabled("mnEnginePonder"));

    mnEngineWhite_Click(); // now both sides
    EXPECT_EQ(sides(), '2');
    EXPECT_FALSE(Engine.PonderOn);
    EXPECT_FALSE(ticked("mnEnginePonder"));
    EXPECT_FALSE(enabled("mnEnginePonder"));

    Cfg.AlwaysPonder = false;
    mnEngineBlack_Click(); // White only
    EXPECT_EQ(sides(), 'W');
    EXPECT_TRUE(enabled("mnEnginePonder"));
    EXPECT_FALSE(Engine.PonderOn);
    EXPECT_TRUE(Game.Flipped);
}

TEST_F(GameTest, HandicapItemsStartWeakenedWhiteForTheRightPlayer)
{
    loadEngine();
    // Knight, rook and queen odds, given by the computer and then to it.
    const char* const fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/1NBQKBNR w Kkq - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1",
    };
    for (int index = 0; index < 6; ++index) {
        mnQuorvinHandicap_Click(index);
        EXPECT_EQ(Game.StartFen, QString::fromLatin1(fens[index % 3])) << index;
        EXPECT_FALSE(Game.StandardStart) << index;
        EXPECT_EQ(sides(), index < 3 ? 'W' : 'B') << index;
    }
}

TEST_F(GameTest, ResetGameTellsTheEnginesAndClearsTheGame)
{
    loadEngine();
    Cfg.AlwaysPonder = true;
    Cfg.AutoPlay = true;
    playQuiet({"e4", "e5"});
    Game.TagEvent = QStringLiteral("Club");
    Game.Flipped = true;
    SetModified();
    ASSERT_TRUE(enabled("mnFileSave"));
    forgetSent();
    ResetGame(true, false);
    EXPECT_EQ(sentLines(), (QStringList{QStringLiteral("ucinewgame"),
                                        QStringLiteral("setoption name Ponder value true")}));
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.StartFen, Standard);
    EXPECT_EQ(Game.TagEvent, QStringLiteral("Club")); // kept
    EXPECT_FALSE(Game.Flipped);
    EXPECT_FALSE(ticked("mnPosFlip"));
    EXPECT_TRUE(Clock.DemoRunning);
    EXPECT_TRUE(ticked("mnQuorvinPlay"));
    EXPECT_FALSE(enabled("mnFileSave"));

    // A slave playing a side: both engines hear of the game, neither ponders.
    Engine.SlaveWhite = true;
    forgetSent();
    ResetGame(false, false);
    EXPECT_EQ(sentLines(), (QStringList{QStringLiteral("ucinewgame"),
                                        QStringLiteral("setoption name Ponder value false")}));
    EXPECT_EQ(sentLines(true), (QStringList{QStringLiteral("ucinewgame"),
                                            QStringLiteral("setoption name Ponder value false")}));
    EXPECT_TRUE(Game.TagEvent.isEmpty());

    forgetSent();
    ResetGame(false, true);
    EXPECT_TRUE(sentLines().isEmpty());
    EXPECT_EQ(Engine.EngineState, 1);
}

TEST_F(GameTest, DemonstrationStepsForwardAtTheIntervalAndStopsAtTheEnd)
{
    playQuiet({"e4", "e5", "Nf3"});
    mnMoveStart_Click();
    Cfg.PlayIntv = 2;
    Game.MoveStartTime = fake.clock;

    mnQuorvinPlay_Click();
    EXPECT_TRUE(Clock.DemoRunning);
    EXPECT_TRUE(ticked("mnQuorvinPlay"));
    const struct {
        double seconds;
        int ply;
    } steps[] = {{1.0, 0}, {1.5, 1}, {1.0, 1}, {1.1, 2}, {2.1, 3}, {5.0, 3}};
    for (const auto& step : steps) {
        fake.clock += step.seconds;
        DemoStep();
        EXPECT_EQ(Game.CurPly, step.ply) << step.seconds;
    }
    // The last ply ends the replay.
    EXPECT_FALSE(Clock.DemoRunning);
    EXPECT_FALSE(ticked("mnQuorvinPlay"));

    // At the last ply the command does not start, and clears a stale tick.
    mnQuorvinPlay_Click();
    EXPECT_FALSE(Clock.DemoRunning);
    EXPECT_FALSE(ticked("mnQuorvinPlay"));
}

TEST_F(GameTest, SideCommandsKeepOnlyTheSearchForTheSideToMove)
{
    loadEngine();
    AssignSides(RoleComputerBlack);
    playQuiet({"e4"}); // Black, the engine, is to move
    Engine.EngineState = 6;
    mnEngineWhite_Click();
    EXPECT_EQ(Engine.EngineState, 6) << "the search for Black goes on";
    EXPECT_EQ(sides(), '2');
    EXPECT_TRUE(ticked("mnEngineWhite"));

    mnEngineBlack_Click(); // leaving the side that is searching stops it
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(sides(), 'W');
    EXPECT_FALSE(ticked("mnEngineBlack"));
}

TEST_F(GameTest, PonderCommandEndsAPonderSearchButNotTheEnginesOwn)
{
    loadEngine();
    const struct {
        bool ponderOn;
        int state;
        int stateAfter;
    } rows[] = {{true, 6, 6}, {true, 3, 1}, {false, 6, 6}, {false, 1, 1}};
    for (const auto& row : rows) {
        Engine.PonderOn = row.ponderOn;
        Engine.EngineState = row.state;
        mnEnginePonder_Click();
        EXPECT_EQ(Engine.EngineState, row.stateAfter) << row.ponderOn << row.state;
        EXPECT_EQ(Engine.PonderOn, !row.ponderOn);
        EXPECT_EQ(ticked("mnEnginePonder"), !row.ponderOn);
    }
}

} // namespace
