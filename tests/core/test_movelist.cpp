// Stepping through the game, the redraws of castling and en passant, the Move commands with
// their enabled rules, Delete and Retract and the move list.
#include "core_fixture.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "shell/settings.h"

namespace {

using MoveListTest = CoreTest;

struct Enabled {
    bool retract, start, back, forward, end, del;
};

void expectEnabled(const FakeView& view, const Enabled& want, const char* where)
{
    const std::pair<const char*, bool> rows[] = {
        {"mnMoveRetract", want.retract}, {"mnMoveStart", want.start}, {"mnMoveBack", want.back},
        {"mnMoveForward", want.forward}, {"mnMoveEnd", want.end},     {"mnMoveDel", want.del}};
    for (const auto& [name, enabled] : rows)
        EXPECT_EQ(view.command(QString::fromLatin1(name)).enabled, enabled) << name << " " << where;
}

TEST_F(MoveListTest, CommandsFollowTheShownPly)
{
    expectEnabled(fakeView, {false, false, false, false, false, false}, "empty game");
    playQuiet({"e4", "e5", "Nf3"});
    ShowMoveList(false);
    expectEnabled(fakeView, {true, true, true, false, false, true}, "end");
    mnMoveBack_Click();
    EXPECT_EQ(Game.CurPly, 2);
    expectEnabled(fakeView, {false, true, true, true, true, true}, "middle");
    mnMoveStart_Click();
    EXPECT_EQ(Game.CurPly, 0);
    EXPECT_EQ(KessrinBoard2Fen(Game.Board), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    expectEnabled(fakeView, {false, false, false, true, true, false}, "start");
    // Backward at the start does nothing.
    mnMoveBack_Click();
    EXPECT_EQ(Game.CurPly, 0);
    mnMoveForward_Click();
    EXPECT_EQ(Game.CurPly, 1);
    EXPECT_EQ(Game.SideToMove, Black);
    mnMoveEnd_Click();
    EXPECT_EQ(Game.CurPly, 3);
    EXPECT_EQ(Game.MoveNumber, 2);
    EXPECT_EQ(Game.SideToMove, Black);
    mnMoveForward_Click();
    EXPECT_EQ(Game.CurPly, 3);
    EXPECT_EQ(fakeView.selectedRow, 3);
}

TEST_F(MoveListTest, DeleteAsksOnlyWhenLaterPliesExist)
{
    playQuiet({"e4", "e5", "Nf3", "Nc6"});
    Game.GameResult = ResultWhiteWins;
    Game.MoveComment[3] = "develops";
    Game.MoveComment[4] = "too";
    ShowMoveList(false);

    mnMoveDel_Click(); // last ply shown: no question
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(Game.PlyCount, 3);
    EXPECT_EQ(Game.CurPly, 3);
    EXPECT_TRUE(Game.MoveComment[4].isEmpty());
    EXPECT_TRUE(Game.Modified);

    mnMoveBack_Click();
    mnMoveBack_Click(); // ply 1 shown
    fake.answers = {MsgAnswer::No};
    mnMoveDel_Click();
    EXPECT_EQ(fake.lastMessage(), "This will clear all later moves.\n\nDo you want to continue?");
    EXPECT_EQ(Game.PlyCount, 3);

    fake.answers = {MsgAnswer::Yes};
    mnMoveDel_Click();
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.CurPly, 0);
    EXPECT_EQ(Game.EndSide, White);
    EXPECT_EQ(fakeView.moveRows.size(), 1);
    EXPECT_TRUE(Game.MoveComment[3].isEmpty());
    EXPECT_EQ(Game.GameResult, ResultWhiteWins);

    // Played again, the removed plies come back without their comments.
    playQuiet({"e4", "e5", "Nf3"});
    EXPECT_EQ(PlyLine(3), "2.Nf3");
}

TEST_F(MoveListTest, RetractTakesBackOneMoveOfEachSide)
{
    struct Row {
        std::vector<const char*> moves;
        int left;
    };
    const Row rows[] = {{{"e4"}, 0}, {{"e4", "e5"}, 0}, {{"e4", "e5", "Nf3"}, 1}};
    for (const Row& row : rows) {
        resetRecord(false);
        ResetMoveList();
        for (const char* san : row.moves)
            ASSERT_TRUE(play(san, ModeQuiet));
        ShowMoveList(false);
        mnMoveRetract_Click();
        EXPECT_EQ(Game.PlyCount, row.left);
        EXPECT_EQ(Game.CurPly, row.left);
        EXPECT_EQ(fakeView.moveRows.size(), row.left + 1);
        EXPECT_TRUE(fake.messages.empty());
    }
    resetRecord(false);
    ResetMoveList();
    playQuiet({"d4", "d5"});
    mnMoveBack_Click();
    EXPECT_FALSE(enabled("mnMoveRetract"));
}

TEST_F(MoveListTest, StepsRedrawWhatCastlingAndEnPassantTouched)
{
    struct Row {
        const char* name;
        const char* fen;
        MoveCode move;
        const char* squares; // redrawn by both steps
    };
    const Row rows[] = {
        {"king-side", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", MakeMove(sq("e1"), sq("g1")),
         "e1 f1 g1 h1"},
        {"queen-side black", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", MakeMove(sq("e8"), sq("c8")),
         "a8 c8 d8 e8"},
        // Chess960: the king-side rook starts on g1, which is also the king's target.
        {"960 rook g1", "1k6/8/8/8/8/8/8/1K4R1 w G - 0 1", MakeMove(sq("b1"), sq("g1")),
         "b1 f1 g1"},
        {"960 rook a1", "1k6/8/8/8/8/8/8/RK6 w A - 0 1", MakeMove(sq("b1"), sq("a1")),
         "a1 b1 c1 d1"},
        {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", MakeMove(sq("e5"), sq("d6")),
         "d5 d6 e5"},
    };
    for (const Row& row : rows) {
        StartFromFen(QString::fromLatin1(row.fen), false);
        ASSERT_TRUE(DoMove(row.move, ModeQuiet, 0)) << row.name;
        std::vector<int> want;
        for (const QString& name : QString::fromLatin1(row.squares).split(' '))
            want.push_back(sq(name.toLatin1().constData()));
        std::sort(want.begin(), want.end());

        markBoard();
        StepBack();
        EXPECT_EQ(redrawnSquares(), want) << row.name << " back";
        markBoard();
        StepForward(false, false);
        EXPECT_EQ(redrawnSquares(), want) << row.name << " forward";
    }
}

TEST_F(MoveListTest, AnimationTakesFourStepsOf25Ms)
{
    struct Row {
        bool animation, blindfold;
        int mode;
        int sleeps;
    };
    for (const Row& row : {Row{true, true, ModeClick, 0}, Row{false, false, ModeClick, 0},
                           Row{true, false, ModeQuiet, 0}, Row{true, false, ModeClick, 4}}) {
        resetRecord(false);
        ResetMoveList();
        RedrawBoard();
        Cfg.Animation = row.animation;
        Cfg.Blindfold = row.blindfold;
        fake.sleepCalls = fake.sleptMs = 0;
        ASSERT_TRUE(play("Nf3", row.mode));
        EXPECT_EQ(fake.sleepCalls, row.sleeps);
        EXPECT_EQ(fake.sleptMs, 25 * row.sleeps);
    }
    // The animated piece ends on its square, with its origin empty and both highlighted.
    EXPECT_EQ(pictureOf(sq("g1")), HighlightOffset);
    EXPECT_EQ(pictureOf(sq("f3")), PieceImageIndex(ColourValue(White) + Knight) + HighlightOffset);
}

TEST_F(MoveListTest, ShowMoveListMarksTheShownMoveOnly)
{
    playQuiet({"e4", "e5"});
    ShowMoveList(false);
    EXPECT_EQ(pictureOf(sq("e5")), PieceImageIndex(ColourValue(Black) + Pawn) + HighlightOffset);
    mnMoveBack_Click();
    EXPECT_EQ(pictureOf(sq("e5")), 0);
    EXPECT_EQ(pictureOf(sq("e7")), PieceImageIndex(ColourValue(Black) + Pawn));
    EXPECT_EQ(pictureOf(sq("e4")), PieceImageIndex(ColourValue(White) + Pawn) + HighlightOffset);
    EXPECT_EQ(Game.LastMoveShown, MakeMove(sq("e2"), sq("e4")));
    mnMoveStart_Click();
    EXPECT_EQ(Game.LastMoveShown, 0);
    EXPECT_EQ(pictureOf(sq("e2")), PieceImageIndex(ColourValue(White) + Pawn));
    EXPECT_FALSE(fakeView.annotationEnabled);
}

TEST_F(MoveListTest, DrawAndResignOnlyOnTheUsersTurn)
{
    Engine.DrawOffer = true;
    Engine.EngineBlack = true;
    ShowMoveList(false); // White (the user) to move
    EXPECT_TRUE(enabled("mnMoveDraw"));
    EXPECT_TRUE(enabled("mnMoveResign"));
    EXPECT_FALSE(Engine.DrawOffer);
    playQuiet({"e4"});
    ShowMoveList(false);
    EXPECT_FALSE(enabled("mnMoveDraw"));
    EXPECT_FALSE(enabled("mnMoveResign"));
}

TEST_F(MoveListTest, TruncateReleasesAnIdleEngine)
{
    playQuiet({"e4", "e5"});
    mnMoveBack_Click();
    Engine.EngineState = 2;
    TruncateMoves();
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.EndSide, Black);
}

TEST_F(MoveListTest, CuttingThePliesHaltsARunningEngine)
{
    struct Row {
        void (*command)();
        int state;
        int after;
    };
    // 5 analysing: halted; 2 held after a game end: released; 0 no engine: stays 0.
    for (const Row& row : {Row{mnMoveRetract_Click, 5, 1}, Row{mnMoveDel_Click, 5, 1},
                           Row{mnMoveRetract_Click, 2, 1}, Row{mnMoveDel_Click, 0, 0}}) {
        resetRecord(false);
        playQuiet({"e4", "e5"});
        ShowMoveList(false);
        Engine.EngineState = row.state;
        row.command();
        EXPECT_EQ(Engine.EngineState, row.after) << row.state;
        EXPECT_LT(Game.PlyCount, 2);
    }
}

TEST_F(MoveListTest, AnalysisStopsWhenTheShownPositionChanges)
{
    playQuiet({"e4", "e5"});
    ShowMoveList(false);
    struct Row {
        bool thinkShown;
        bool engineBlack;
        int after;
    };
    // Analysis (no engine side) restarts on the new position; a playing engine keeps thinking.
    for (const Row& row : {Row{true, false, 1}, Row{false, false, 5}, Row{true, true, 5}}) {
        Engine.ThinkShown = row.thinkShown;
        Engine.EngineBlack = row.engineBlack;
        Engine.EngineState = 5;
        mnMoveBack_Click();
        EXPECT_EQ(Engine.EngineState, row.after) << row.thinkShown << row.engineBlack;
        mnMoveForward_Click();
    }
}

TEST_F(MoveListTest, ListClicksMoveTheShownPly)
{
    playQuiet({"e4", "e5", "Nf3", "Nc6"});
    ShowMoveList(false);
    fakeView.selectedRow = 1;
    lstMoveText_Click();
    EXPECT_EQ(Game.CurPly, 1);
    fakeView.selectedRow = 0;
    lstMoveText_Click();
    EXPECT_EQ(Game.CurPly, 0);
}

TEST_F(MoveListTest, StepForwardWithSoundAnnouncesMate)
{
    playQuiet({"f3", "e5", "g4", "Qh4"});
    mnMoveStart_Click();
    fake.soundsPlayed.clear();
    for (int ply = 1; ply <= 4; ++ply)
        StepForward(false, true);
    EXPECT_EQ(sounds(), (QStringList{"MOVE2", "MOVE2", "MOVE2", "LOSS"}));
    EXPECT_EQ(pictureOf(sq("e1")), WhiteMatedImage);
}

} // namespace
