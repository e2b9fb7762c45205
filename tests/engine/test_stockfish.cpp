// End to end with Debian's real engine, started from the program folder as at start-up.
#include "engine_session.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginelog.h"
#include "engine/engineload.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/vorsel.h"
#include "play/sides.h"
#include "shell/appstate.h"
#include "shell/settings.h"

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
    StartFromFen(QStringLiteral(
                     "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8"),
                 true);
    Cfg.Depth = 8;
    EngineWhite = true;
    Engine.PonderOn = true;
    Engine.EngineState = 6;
    StartSearch();
    EXPECT_EQ(sentToMain().last(), "go depth 8");
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; }));
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Engine.SearchDepth, 8);
    EXPECT_FALSE(panel("Pv").isEmpty());

    // The engine ponders on its expected reply; the reply comes and it answers at once.
    ASSERT_EQ(Engine.EngineState, 7);
    const MoveCode reply = Engine.PonderMove;
    EXPECT_TRUE(sentToMain().last().startsWith("go ponder depth 8"));
    EngineWhite = true;
    const int sentBefore = sentToMain().size();
    ASSERT_TRUE(DoMove(reply, ModeClick, 0));
    // DoMove hands the hit to the engine once it calls PonderHitOrStop; until then the test
    // sends it as DoMove would.
    if (!sentToMain().mid(sentBefore).contains("ponderhit")) {
        Engine.EngineState = 6;
        SendToEngine(QStringLiteral("ponderhit"), false);
    }
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState != 6; }));
    EXPECT_EQ(Game.PlyCount, 3);

    HaltEngine();
    UnloadEngine();
    EXPECT_EQ(ChildProcessCount(), children);
}
