// Searches with the scripted engine: the commands sent, the status bar, the engine's moves,
// pondering, stopping, resignations, draws and engines that die.
#include "engine_session.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginecontrols.h"
#include "engine/engineload.h"
#include "engine/enginelog.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "play/chess960.h"
#include "play/clockstate.h"
#include "play/gamecontrol.h"
#include "play/levels.h"
#include "play/sidecommands.h"
#include "shell/settings.h"
#include "shell/startup.h"

#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace {

QString Script(const char* search)
{
    return QStringLiteral("expect uci\nsend id name Scripted\nsend uciok\n") +
           QString::fromLatin1(search);
}

MoveCode Coord(const char* text)
{
    return CoordToMove(text);
}

} // namespace

TEST_F(EngineSession, OwnMoveIsSearchedShownAndPlayed)
{
    ASSERT_TRUE(loadScripted(Script("expect go\n"
                                    "send info depth 5 currmove g1f3 currmovenumber 3\n"
                                    "send info depth 5 score cp 35 nodes 4000 pv e2e4 e7e5\n"
                                    "send info depth 5 score cp 90 lowerbound pv d2d4\n"
                                    "send info string ignored depth 99 score cp 1\n"
                                    "send info depth 6 nodes 9000 message Looking\\\n"
                                    "sleep 50\n"
                                    "send bestmove e2e4 ponder e7e5\n")));
    Engine.EngineWhite = true;
    Engine.EngineState = 6;
    StartSearch();
    fake.clock += 2.0; // the speed is nodes per millisecond since the start
    EXPECT_EQ(sentToMain().mid(sentToMain().size() - 3),
              QStringList(
                  {"setoption name UCI_Chess960 value false", "position startpos", "go depth 2"}));
    EXPECT_TRUE(enabled("mnEngineStop"));
    EXPECT_FALSE(enabled("mnEngineSet"));
    EXPECT_EQ(Engine.LegalMoveCount, 20);

    ASSERT_TRUE(pollUntil([] { return Engine.SearchDepth == 5 && Engine.LastScore == 35; }));
    EXPECT_EQ(panel("Pv"), "  5   (+35) e4 e5");
    ASSERT_TRUE(pollUntil([] { return Engine.SearchDepth == 6; }));
    EXPECT_EQ(Engine.LastScore, 35); // the bound was not taken
    EXPECT_EQ(panel("Msg"), "Looking\\");
    EXPECT_EQ(panel("Nps"), "NPS 4K");

    ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; }));
    EXPECT_EQ(Engine.EngineState, 1); // pondering is off
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.MoveSan[1], "e4");
    EXPECT_EQ(panel("Curr"), "");
    EXPECT_FALSE(enabled("mnEngineStop"));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(EngineSession, PositionAndGoLinesFollowTheGameAndItsTimeControl)
{
    ASSERT_TRUE(loadScripted(Script("")));
    const std::string fen414 = Chess960Fen(414).toStdString();
    ASSERT_EQ(fen414, "rqnnkbbr/pppppppp/8/8/8/8/PPPPPPPP/RQNNKBBR w HAha - 0 1");
    struct Row {
        const char* fen; // nullptr: the standard start
        std::vector<const char*> moves;
        GoLimits limits;
        QStringList expected; // %1 stands for the start FEN
    } rows[] = {
        // 1. e4, Black (the engine) to move, 40 moves in 5 minutes, nothing used yet.
        {nullptr,
         {"e4"},
         {0, false, 300, 300, 0, 40},
         {"setoption name UCI_Chess960 value false", "position startpos moves e2e4",
          "go wtime 300000 btime 300000 movestogo 40"}},
        // A Chess960 start with no moves yet and a negative increment.
        {"nrkbbqrn/pppppppp/8/8/8/8/PPPPPPPP/NRKBBQRN w GBgb - 0 1",
         {},
         {0, true, 61, 5, -3, 0},
         {"setoption name UCI_Chess960 value true", "position fen %1",
          "go wtime 61000 btime 5000 winc 0 binc 0"}},
        // A Chess960 start that looks like the standard one is still Chess960.
        {fen414.c_str(),
         {"e4"},
         {0, false, 300, 300, 0, 40},
         {"setoption name UCI_Chess960 value true", "position fen %1 moves e2e4",
          "go wtime 300000 btime 300000 movestogo 40"}},
        // A promotion on the way, sent with its letter; a named level.
        {"8/P6k/8/8/8/8/8/K7 w - - 0 1",
         {"a8=N", "Kg6"},
         {-12, false, 0, 0, 0, 0},
         {"setoption name UCI_Chess960 value false", "position fen %1 moves a7a8n h7g6",
          "go depth 24"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected.join('|').toStdString());
        if (row.fen)
            StartFromFen(QString::fromLatin1(row.fen), true);
        else
            resetRecord(false);
        for (const char* san : row.moves)
            playQuiet({san});
        // The limits come from the level settings and the clocks; only the side to move's
        // moves-left count may be sent.
        const GoLimits limits = row.limits;
        Cfg.Depth = static_cast<qint16>(limits.level);
        Cfg.IncMode = limits.incMode;
        Cfg.IncTime = static_cast<qint16>(limits.incTime);
        Clock.TimeLeft = {limits.timeLeftWhite, limits.timeLeftBlack};
        Clock.MovesLeft[static_cast<std::size_t>(Game.SideToMove)] = limits.movesLeft;
        Clock.MovesLeft[static_cast<std::size_t>(1 - Game.SideToMove)] = 99;
        Engine.EngineState = 6;
        StartSearch();
        QStringList expected = row.expected;
        expected[1].replace(QStringLiteral("%1"), Game.StartFen);
        const QStringList sent = sentToMain();
        EXPECT_EQ(sent.mid(sent.size() - 3), expected);
        Engine.EngineState = 1; // this engine never answers "stop"
    }
}

TEST_F(EngineSession, AFloodOfOutputIsChargedToTheEnginesClock)
{
    ASSERT_TRUE(loadScripted(Script("expect go\n"
                                    "flood 20000 info depth 3 nodes 1000 pv e2e4\n"
                                    "send bestmove e2e4\n")));
    Engine.EngineWhite = true;
    Clock.TimeLeft = {600, 600};
    Clock.ClockRunning = true;
    Game.MoveStartTime = fake.clock;
    Engine.EngineState = 6;
    StartSearch();
    // Each pass of the loop stands for a millisecond of the engine's output.
    const double start = fake.clock;
    for (int passes = 0; Engine.EngineState == 6 && passes < 200000; ++passes) {
        fake.clock += 0.001;
        MainLoopPass();
    }
    ASSERT_EQ(Game.PlyCount, 1);
    const int passed = static_cast<int>(fake.clock - start);
    EXPECT_GE(passed, 20);
    EXPECT_GE(Clock.TimeElapsed[White], passed - 1);
}

TEST_F(EngineSession, CurrentMovePanel)
{
    ASSERT_TRUE(loadScripted(Script("expect go\n"
                                    "send info depth 12 score cp 1 pv e2e4\n"
                                    "send info currmove g1f3 currmovenumber 3 nodes 0\n"
                                    "expect stop\n"
                                    "send bestmove e2e4\n")));
    Engine.EngineState = 5;
    StartSearch();
    EXPECT_EQ(sentToMain().last(), "go infinite");
    ASSERT_TRUE(pollUntil([this] { return !panel("Curr").isEmpty(); }));
    EXPECT_EQ(panel("Curr"), "12 (3/20) Nf3");
}

TEST_F(EngineSession, PonderSearchAfterTheEngineMoveThenHitOrMiss)
{
    struct Row {
        const char* reply;    // the opponent's move while the engine ponders on e7e5
        const char* answered; // what the engine is told
        int plies;            // plies once the engine is idle again
    } rows[] = {{"e7e5", "ponderhit", 3}, {"c7c5", "stop", 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        resetRecord(false);
        ASSERT_TRUE(
            loadScripted(Script("expect go\n"
                                "send bestmove e2e4 ponder e7e5\n"
                                "expect go ponder\n"
                                "send info depth 3 score cp 20 pv g1f3 b8c6\n") +
                         QStringLiteral("expect %1\nsend bestmove g1f3\n").arg(row.answered)));
        Engine.EngineWhite = true;
        Engine.PonderOn = true;
        Engine.EngineState = 6;
        StartSearch();
        ASSERT_TRUE(pollUntil([] { return Engine.EngineState == 7; }));
        EXPECT_EQ(Engine.PonderMove, Coord("e7e5"));
        EXPECT_EQ(Engine.PonderSan, "e5");
        const QStringList sent = sentToMain();
        EXPECT_EQ(sent.mid(sent.size() - 2),
                  QStringList({"position startpos moves e2e4 e7e5", "go ponder depth 2"}));
        ASSERT_TRUE(pollUntil([this] { return !panel("Pv").isEmpty(); }));
        EXPECT_EQ(panel("Pv"), "  3   (+20) (e5) Nf3 Nc6");

        // The opponent's move goes through DoMove, which tells the engine.
        ASSERT_TRUE(DoMove(Coord(row.reply), ModeQuiet, 0));
        EXPECT_EQ(sentToMain().last(), row.answered);
        ASSERT_TRUE(pollUntil([] { return Engine.EngineState < 4; }));
        EXPECT_EQ(Engine.EngineState, 1);
        EXPECT_EQ(Game.PlyCount, row.plies);
        UnloadEngine();
    }
}

TEST_F(EngineSession, PonderSearchThatEndsByItselfIsStored)
{
    ASSERT_TRUE(loadScripted(Script("expect go\n"
                                    "send info depth 3 score cp -2000 pv e7e5\n"
                                    "send bestmove g8f6 ponder d2d4\n")));
    playQuiet({"e4"});
    Engine.PonderMove = Coord("e7e5");
    Engine.EngineState = 7;
    StartSearch();
    EXPECT_EQ(sentToMain().mid(sentToMain().size() - 2),
              QStringList({"position startpos moves e2e4 e7e5", "go ponder depth 2"}));
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState == 3; }));
    EXPECT_EQ(Engine.StoredBest, Coord("g8f6"));
    EXPECT_EQ(Engine.StoredPonder, Coord("d2d4"));
    EXPECT_TRUE(Engine.StoredResign);
}

TEST_F(EngineSession, EmptyBestMoveHoldsTheEngine)
{
    ASSERT_TRUE(loadScripted(Script("expect go\nsend bestmove (none)\n"
                                    "expect go\nsend bestmove 0000\n")));
    struct Row {
        int before, after;
    } rows[] = {{6, 2}, {7, 1}};
    for (const Row& row : rows) {
        Engine.EngineState = row.before;
        StartSearch();
        ASSERT_TRUE(pollUntil([&] { return Engine.EngineState != row.before; }));
        EXPECT_EQ(Engine.EngineState, row.after);
    }
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(EngineSession, UnplayableBestMoveIsShownAndLeavesTheEngineWaiting)
{
    QTemporaryDir folder;
    Cfg.EngineLog = true;
    Cfg.LogFile = folder.filePath("engine.htm");
    const char* const answers[] = {"e2e5", "zz99q", "(none)"};
    QString script;
    for (const char* answer : answers)
        script += QStringLiteral("expect go\nsend bestmove %1\n").arg(QLatin1String(answer));
    ASSERT_TRUE(loadScripted(Script(script.toLatin1().constData())));
    for (const char* answer : answers) {
        Engine.EngineState = 6;
        StartSearch();
        ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; })) << answer;
        EXPECT_EQ(Engine.EngineState, 2) << answer;
        EXPECT_EQ(panel("Msg"), QStringLiteral("Engine move refused: ") + answer);
        EXPECT_FALSE(enabled("mnEngineStop")) << answer;
    }
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_TRUE(fake.messages.empty());
    QFile log(Cfg.LogFile);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Engine move refused: zz99q"));
}

TEST_F(EngineSession, EngineDyingWhenStoppedGetsNoSideBack)
{
    ASSERT_TRUE(loadScripted(Script("expect go\nexpect stop\nexit 3\n")));
    Engine.EngineBlack = true;
    Cfg.Depth = LevelTimed;
    Game.EndSide = Game.SideToMove = Black;
    Engine.EngineState = 6;
    StartSearch();
    mnEngineBlack_Click(); // the user takes Black back; the engine dies on "stop"
    EXPECT_EQ(Engine.EngineState, 0);
    EXPECT_FALSE(Engine.EngineWhite);
    EXPECT_FALSE(Engine.EngineBlack);
    EXPECT_FALSE(Clock.ClockRunning);
    EXPECT_FALSE(shown.command(QStringLiteral("mnEngineBlack")).checked);
    EXPECT_EQ(fake.lastMessage(), "Engine quits abnormally!");
    fake.messages.clear();
    NewGame(); // nothing left to tell, nothing re-enabled
    EXPECT_FALSE(EngineLoaded());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(EngineSession, StopMovesNowOrGivesUpAfterTenSeconds)
{
    ASSERT_TRUE(loadScripted(Script("expect go\n"
                                    "expect stop\n"
                                    "send bestmove d2d4\n"
                                    "expect go\n"
                                    "expect quit\n")));
    Engine.EngineWhite = true;
    Engine.EngineState = 6;
    StartSearch();
    mnEngineStop_Click();
    EXPECT_EQ(Engine.EngineState, 1);
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.MoveSan[1], "d4");

    Engine.EngineWhite = false;
    Engine.EngineState = 5;
    StartSearch();
    fake.clockStepMs = 100;
    const double start = fake.clock;
    mnEngineStop_Click();
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_NEAR(fake.clock - start, StopTimeoutSeconds, 0.5);
    EXPECT_FALSE(enabled("mnEngineStop"));
}

TEST_F(EngineSession, ResignAndDrawFollowScoreAndReversiblePlies)
{
    // The engine plays White; rook and king moves that never repeat a position count towards
    // the sixteen reversible plies a draw needs.
    const char* const quiet[] = {"Ra2", "Kg8", "Ra3", "Kh8", "Ra4", "Kg8", "Ra5", "Kh8",
                                 "Ra6", "Kg8", "Ra7", "Kh8", "Rb7", "Kg8", "Rc7", "Kh8"};
    struct Row {
        int score;
        int plies;
        bool allowResign;
        bool drawOffered;
        const char* message; // "" when the move is simply played
        int result;
    } rows[] = {
        {-1600, 4, true, false, "White resigns.", ResultBlackWins},
        {-1600, 4, false, false, "", ResultNone},
        {-9997, 4, true, false, "", ResultNone}, // mated: plays on to the end
        {0, 16, false, true, "Draw agreed.", ResultDraw},
        {0, 14, false, true, "", ResultNone}, // fourteen reversible plies are not enough
        {100, 16, false, true, "", ResultNone},
        {0, 16, true, false,
         "White offers a draw.\n\nTo accept the draw, click menu Computer -> Offer / Accept a "
         "Draw.\nTo decline the draw, just ignore it.",
         ResultNone},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.score);
        SCOPED_TRACE(row.plies);
        StartFromFen(QStringLiteral("7k/8/8/8/8/8/8/R3K3 w - - 0 2"), true);
        for (int i = 0; i < row.plies; ++i)
            playQuiet({quiet[i]});
        ASSERT_EQ(Game.SideToMove, White);
        ASSERT_TRUE(loadScripted(
            Script("expect go\n") +
            QStringLiteral("send info depth 9 score cp %1 pv e1d1\nsend bestmove e1d1\n")
                .arg(row.score)));
        Cfg.AllowResign = row.allowResign;
        Engine.DrawOffer = row.drawOffered;
        fake.messages.clear();
        Engine.EngineWhite = true;
        Engine.EngineState = 6;
        StartSearch();
        ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; }));
        EXPECT_EQ(fake.lastMessage(), QString::fromLatin1(row.message));
        EXPECT_EQ(Game.GameResult, row.result);
        const bool moved = row.result == ResultNone;
        EXPECT_EQ(Game.PlyCount, row.plies + (moved ? 1 : 0));
    }
}

TEST_F(EngineSession, DeathDuringASearchIsReportedForEitherEngine)
{
    ASSERT_TRUE(loadScripted(Script("expect go\nsend info depth 1 score cp 5 pv e2e4\nexit 9\n")));
    Engine.EngineWhite = true;
    Engine.EngineState = 6;
    StartSearch();
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState == 0; }));
    EXPECT_EQ(fake.lastMessage(), "Engine quits abnormally!");
    EXPECT_FALSE(MainChannel.isOpen());
    EXPECT_FALSE(enabled("mnEngineStop"));
    EXPECT_FALSE(enabled("mnEngineSet"));
    EXPECT_FALSE(Engine.EngineWhite);

    // The slave plays Black and dies on its first search; the main engine stays.
    ASSERT_TRUE(loadScripted(Script("")));
    UseEngineScript(dir, Script("expect go\nexit 4\n"));
    fake.fileAnswers = {ScriptedEnginePath()};
    ToggleSlave();
    ASSERT_TRUE(Engine.SlaveBlack);
    playQuiet({"e4"});
    Engine.EngineState = 6;
    StartSearch();
    EXPECT_EQ(logEntries().last(), "magenta: go depth 2");
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; }));
    EXPECT_EQ(fake.lastMessage(), "Slave engine quits abnormally!");
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_FALSE(Engine.SlaveBlack);
    EXPECT_FALSE(SlaveChannel.isOpen());
    EXPECT_TRUE(MainChannel.isOpen());
}
