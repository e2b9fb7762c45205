// End to end with Debian's real engine, started from the program folder as at start-up.
#include "engine_session.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/engineload.h"
#include "engine/enginelog.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/vorsel.h"
#include "shell/appstate.h"
#include "shell/settings.h"

#include <algorithm>

TEST_F(EngineSession, StockfishSearchesMovesPondersAndLeavesNothingBehind)
{
    if (GetMeldro(App.ProgramFolder + QStringLiteral("stockfish")) != 3)
        GTEST_SKIP() << "no stockfish in the program folder";
    const int children = ChildProcessCount();
    Cfg.EnginePath.clear();
    StartDefaultEngine();
    ASSERT_EQ(Engine.EngineState, 1) << fake.lastMessage().toStdString();
    EXPECT_TRUE(Engine.EngineName.startsWith("Stockfish")) << Engine.EngineName.toStdString();
    EXPECT_TRUE(sentToMain().contains("setoption name Hash value 16"));

    // A middle-game position, the engine to move at depth 8.
    StartFromFen(
        QStringLiteral("r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8"),
        true);
    Cfg.Depth = 8;
    Engine.EngineWhite = true;
    Engine.PonderOn = true;
    Engine.EngineState = 6;
    StartSearch();
    EXPECT_EQ(sentToMain().last(), "go depth 8");
    // The move starts the ponder search, which empties the panels and the depth again, so they
    // are read while the engine still searches its own move.
    int deepest = 0;
    QString variation;
    ASSERT_TRUE(pollUntil([&] {
        if (Engine.EngineState == 6) {
            deepest = std::max(deepest, Engine.SearchDepth);
            if (!panel("Pv").isEmpty())
                variation = panel("Pv");
        }
        return Engine.EngineState != 6;
    }));
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(deepest, 8);
    EXPECT_TRUE(variation.startsWith("  8 ")) << variation.toStdString();

    // The engine ponders on its expected reply; the reply comes and it answers at once.
    ASSERT_EQ(Engine.EngineState, 7);
    const MoveCode reply = Engine.PonderMove;
    EXPECT_TRUE(sentToMain().last().startsWith("go ponder depth 8"));
    ASSERT_TRUE(DoMove(reply, ModeClick, 0));
    EXPECT_EQ(sentToMain().last(), "ponderhit");
    EXPECT_EQ(Engine.EngineState, 6);
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; }));
    EXPECT_EQ(Game.PlyCount, 3);

    HaltEngine();
    UnloadEngine();
    EXPECT_EQ(ChildProcessCount(), children);
}
