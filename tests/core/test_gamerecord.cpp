// Game record: reset, move-list line texts and the king scan.
#include <gtest/gtest.h>

#include "core/gamerecord.h"

namespace {

class GameRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KessrinInit();
        resetRecord(false);
    }
};

// Puts the record in a played, tagged, annotated state from a Black-to-move FEN at move 30.
void dirtyRecord()
{
    Game.TagEvent = "Club match";
    Game.TagWhite = "Ann";
    Game.TagSubVariation = "Main line";
    Game.TagEco = "B90";
    Game.GameResult = ResultBlackWins;
    Game.AutoEco = false;
    Game.StartFen = "4k3/8/8/8/8/8/8/4K3 b - - 0 30";
    KessrinFen2Board(Game.Board, Game.StartFen.toStdString());
    Game.StandardStart = false;
    Game.StartSide = Game.SideToMove = Black;
    Game.StartMoveNumber = Game.MoveNumber = 30;
    Game.PlyCount = 3;
    Game.CurPly = 2;
    Game.EndSide = White;
    Game.MoveComment[0] = "before";
    Game.MoveComment[2] = "a comment";
    Game.Modified = true;
    Game.Flipped = true;
    Game.MatedKingSquare = 8;
}

void expectStandardStart()
{
    EXPECT_EQ(Game.StartFen, StandardFen);
    EXPECT_EQ(KessrinBoard2Fen(Game.Board), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    EXPECT_TRUE(Game.StandardStart);
    EXPECT_EQ(Game.CurPly, 0);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.SideToMove, Game.Board.side);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(Game.StartSide, White);
    EXPECT_EQ(Game.MoveNumber, 1);
    EXPECT_EQ(Game.StartMoveNumber, 1);
    EXPECT_EQ(Game.EndSide, Game.SideToMove);
    for (int k = 0; k <= MaxPly; ++k)
        EXPECT_TRUE(Game.MoveComment[k].isEmpty()) << k;
    EXPECT_FALSE(Game.Modified);
    EXPECT_FALSE(Game.Flipped);
    EXPECT_EQ(Game.MatedKingSquare, 0);
}

TEST_F(GameRecordTest, ResetReturnsToTheStandardStartKeepingTagsOnRequest)
{
    for (bool keepTags : {false, true}) {
        dirtyRecord();
        resetRecord(keepTags);
        expectStandardStart();
        EXPECT_EQ(Game.TagEvent, keepTags ? "Club match" : "");
        EXPECT_EQ(Game.TagWhite, keepTags ? "Ann" : "");
        EXPECT_EQ(Game.TagSubVariation, keepTags ? "Main line" : "");
        EXPECT_EQ(Game.TagEco, keepTags ? "B90" : "");
        EXPECT_EQ(Game.GameResult, keepTags ? ResultBlackWins : ResultNone);
        EXPECT_EQ(Game.AutoEco, !keepTags);
    }
}

TEST_F(GameRecordTest, MoveNumberPrefixAndSymbols)
{
    EXPECT_EQ(MoveNumberPrefix(9, Black), "  ");
    EXPECT_EQ(MoveNumberPrefix(12, Black), "   ");
    EXPECT_EQ(MoveNumberPrefix(10, White), "10.");
    EXPECT_EQ(MoveNumberPrefix(1000, White), "1000.");
    EXPECT_EQ(MoveNumberPrefix(1000, Black), "     ");

    // The symbols themselves show in the ply lines below; values out of range have none.
    EXPECT_EQ(AnnotationSymbol(7), "");
    EXPECT_EQ(AnnotationSymbol(-1), "");
}

TEST_F(GameRecordTest, PlyLinesFollowTheStartSideAndNumber)
{
    struct Row {
        int startSide, startMove, ply;
        const char* san;
        int nag;
        const char* comment;
        const char* line;
    };
    // clang-format off
    const Row rows[] = {
        {White, 1, 1, "e4", 0, "", "1.e4"},
        {White, 1, 2, "e5", 1, "", "  e5!"},
        {White, 1, 19, "Nf3", 0, "x", "10.Nf3*"},
        {White, 1, 24, "Qxd8+", 4, "good", "   Qxd8+??*"},
        {Black, 9, 1, "Kd7", 5, "", "  Kd7!?"},
        {Black, 9, 2, "Rd1#", 0, "", "10.Rd1#"},
        {Black, 12, 1, "c5", 6, "", "   c5?!"},
        {White, 99, 3, "a4", 0, "", "100.a4"},
    };
    // clang-format on
    for (const Row& row : rows) {
        Game.StartSide = row.startSide;
        Game.StartMoveNumber = row.startMove;
        Game.MoveSan[row.ply] = row.san;
        Game.MoveNag[row.ply] = row.nag;
        Game.MoveComment[row.ply] = row.comment;
        EXPECT_EQ(PlyLine(row.ply), row.line) << row.san;
    }
}

TEST_F(GameRecordTest, KingSquareOfTheSideToMove)
{
    Game.MatedKingSquare = 40;
    EXPECT_EQ(KingSquare(), 120); // e1
    EXPECT_EQ(Game.MatedKingSquare, 0);

    KessrinFen2Board(Game.Board, "8/8/8/8/8/5k2/8/K7 b - - 0 1");
    Game.SideToMove = Black;
    EXPECT_EQ(KingSquare(), 89); // f3

    KessrinFen2Board(Game.Board, "8/8/8/8/8/8/8/8 w - - 0 1");
    Game.SideToMove = White;
    EXPECT_EQ(KingSquare(), 0);
}

} // namespace
