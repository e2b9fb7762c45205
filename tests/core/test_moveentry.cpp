// Move entry by clicks (with the promotion dialog) and by typing, and the annotation controls.
#include "core_fixture.h"

#include "core/annotations.h"
#include "core/board.h"
#include "core/domove.h"
#include "core/moveentry.h"
#include "core/movelist.h"

namespace {

using MoveEntryTest = CoreTest;

TEST_F(MoveEntryTest, FirstClickPicksOnlyAPieceOfTheSideToMove)
{
    for (const char* square : {"e4", "e7"}) {
        ClickSquare(sq(square));
        EXPECT_EQ(Game.SelectedSquare, 0) << square;
    }
    EXPECT_TRUE(fake.soundsPlayed.empty());

    ClickSquare(sq("g1"));
    EXPECT_EQ(Game.SelectedSquare, sq("g1"));
    EXPECT_EQ(pictureOf(sq("g1")), PieceImageIndex(ColourValue(White) + Knight) + HighlightOffset);
    ClickSquare(sq("b1")); // another own piece: the selection moves
    EXPECT_EQ(Game.SelectedSquare, sq("b1"));
    EXPECT_EQ(pictureOf(sq("g1")), PieceImageIndex(ColourValue(White) + Knight));
    EXPECT_EQ(sounds(), (QStringList{"CLICK", "CLICK"}));

    ClickSquare(sq("b4")); // not a knight move: the selection stays
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.SelectedSquare, sq("b1"));
    ClickSquare(sq("c3"));
    EXPECT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.SelectedSquare, 0);
    EXPECT_TRUE(Game.Modified);
}

TEST_F(MoveEntryTest, ClickOnOwnRookCastles)
{
    StartFromFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1", false);
    ClickSquare(sq("e1"));
    ClickSquare(sq("h1"));
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.MoveSan[1], "O-O");
    // Stored as the king's two-square move, as an engine's ponder reply names it.
    EXPECT_EQ(Game.Moves[1], MakeMove(sq("e1"), sq("g1")));
    StartFromFen("r3k3/8/8/8/8/8/8/4K3 b q - 0 1", false);
    ClickSquare(sq("e8"));
    ClickSquare(sq("a8"));
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.Moves[1], MakeMove(sq("e8"), sq("c8")));
    // Chess960 keeps king-to-rook.
    StartFromFen("4k3/8/8/8/8/8/8/1R3KR1 w GB - 0 1", false);
    ClickSquare(sq("f1"));
    ClickSquare(sq("g1"));
    ASSERT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(Game.Moves[1], MakeMove(sq("f1"), sq("g1")));
}

TEST_F(MoveEntryTest, FlippedBoardMapsTheTopLeftImageToH1)
{
    Game.Flipped = true;
    imgSquares_MouseDown(0);
    EXPECT_EQ(Game.SelectedSquare, sq("h1"));
    Game.Flipped = false;
    imgSquares_MouseDown(63);
    EXPECT_EQ(Game.SelectedSquare, sq("h1"));
}

TEST_F(MoveEntryTest, PromotionDialogOnlyForALegalPawnMove)
{
    struct Row {
        const char* fen;
        const char* from;
        const char* to;
        int piece;
        int dialogs;
        int promoted; // piece code on the target afterwards; 0 when refused
    };
    const Row rows[] = {
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7", "a8", 3, 1, ColourValue(White) + Knight},
        {"4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2", "a1", 1, 1, ColourValue(Black) + Rook},
        {"n3k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7", "a8", 0, 0, 0}, // blocked
        {"4k3/P7/8/8/8/8/8/r3K3 w - - 0 1", "a7", "a8", 0, 0, 0}, // would stay in check
        {"1b2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7", "b8", 2, 1, ColourValue(White) + Bishop},
    };
    for (const Row& row : rows) {
        StartFromFen(QString::fromLatin1(row.fen), false);
        fake.soundsPlayed.clear();
        fakeView.promotionAsked.clear();
        fakeView.promotionAnswer = row.piece;
        ClickSquare(sq(row.from));
        ClickSquare(sq(row.to));
        EXPECT_EQ(fakeView.promotionAsked,
                  std::vector<int>(static_cast<std::size_t>(row.dialogs), Game.StartSide))
            << row.fen;
        EXPECT_EQ(Game.PlyCount, row.promoted ? 1 : 0) << row.fen;
        if (row.promoted) {
            EXPECT_EQ(Game.Board.squares[sq(row.to)], row.promoted) << row.fen;
        } else {
            EXPECT_EQ(Game.SelectedSquare, sq(row.from));
            EXPECT_EQ(sounds(), (QStringList{"CLICK", "ILLEGAL"})) << row.fen;
        }
    }
}

TEST_F(MoveEntryTest, TypedMoves)
{
    struct Row {
        const char* text;
        bool played;
    };
    for (const Row& row : {Row{"Nf3", true}, Row{"Nf3", false}, Row{"xyz", false}, Row{"d5", true},
                           Row{"Qh5", false}}) {
        fake.soundsPlayed.clear();
        const int before = Game.PlyCount;
        fakeView.typed = row.text;
        txtMove_KeyPress(13);
        EXPECT_EQ(Game.PlyCount, before + (row.played ? 1 : 0)) << row.text;
        EXPECT_TRUE(fakeView.typed.isEmpty()) << row.text;
        if (!row.played) {
            EXPECT_EQ(sounds(), QStringList{"ILLEGAL"}) << row.text;
        }
    }
    EXPECT_EQ(Game.MoveSan[1], "Nf3");
    // An empty box does nothing at all.
    fake.soundsPlayed.clear();
    txtMove_KeyPress(13);
    EXPECT_TRUE(fake.soundsPlayed.empty());
}

TEST_F(MoveEntryTest, TypedFormsOfOtherProgramsNameOneMove)
{
    const struct {
        const char* fen;
        const char* text;
        const char* san; // nullptr: refused
    } rows[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "Pe4", "e4"},
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "Pxd5", "exd5"},
        {"8/8/2k5/3p4/4P3/8/8/4K3 w - - 0 1", "Pxd5+", "exd5+"},
        {"4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1", "Pxd5", nullptr}, // two pawns can take
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6 e.p.", "exd6"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6e.p.", "exd6"},
        {"1k6/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8(N)", "e8=N"},
        {"1k6/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8(K)", nullptr},
    };
    for (const auto& row : rows) {
        RulesBoard board{};
        KessrinFen2Board(board, row.fen);
        const MoveCode expected = row.san ? KessrinAlg2Move(board, row.san) : 0;
        ASSERT_TRUE(!row.san || expected != 0) << row.san;
        EXPECT_EQ(ReadTypedMove(board, QString::fromLatin1(row.text)), expected) << row.text;
    }
}

TEST_F(MoveEntryTest, AnnotationsAndCommentsEditTheShownPly)
{
    playQuiet({"e4", "e5"});
    ShowMoveList(false);
    const QStringList& list = fakeView.moveRows;
    EXPECT_TRUE(fakeView.annotationEnabled);

    struct Row {
        int nag;
        const char* line;
    };
    for (const Row& row : {Row{2, "  e5?"}, Row{3, "  e5!!"}, Row{0, "  e5"}, Row{6, "  e5?!"}}) {
        fakeView.annotation = row.nag;
        cmbAnnotation_Click();
        EXPECT_EQ(Game.MoveNag[2], row.nag);
        EXPECT_EQ(list[2], row.line);
    }
    EXPECT_TRUE(Game.Modified);

    fakeView.comment = "solid\nreply";
    txtComment_Change();
    EXPECT_EQ(Game.MoveComment[2], "solid\nreply");
    EXPECT_EQ(list[2], "  e5?!*");
    fakeView.comment.clear();
    txtComment_Change();
    EXPECT_EQ(list[2], "  e5?!");

    // The start position: no annotation, but a comment.
    mnMoveStart_Click();
    EXPECT_FALSE(fakeView.annotationEnabled);
    EXPECT_EQ(fakeView.annotation, 0);
    fakeView.comment = "before";
    txtComment_Change();
    EXPECT_EQ(Game.MoveComment[0], "before");
    EXPECT_EQ(list[0], "==Start==*");
}

TEST_F(MoveEntryTest, SteppingThroughAnnotatedGameLeavesItUnchanged)
{
    playQuiet({"e4", "e5", "Nf3"});
    Game.MoveNag[1] = 1;
    Game.MoveComment[0] = "start";
    Game.MoveComment[2] = "answer";
    for (int k = 0; k <= 2; ++k)
        RefreshPlyLine(k);
    Game.Modified = false;
    mnMoveStart_Click();
    EXPECT_EQ(fakeView.comment, "start");
    for (int k = 1; k <= 3; ++k) {
        mnMoveForward_Click();
        EXPECT_EQ(fakeView.comment, Game.MoveComment[k]);
        EXPECT_EQ(fakeView.annotation, Game.MoveNag[k]);
    }
    mnMoveStart_Click();
    EXPECT_FALSE(Game.Modified);
    // Line breaks of other systems are shown, never rewritten.
    Game.MoveComment[1] = "one\r\ntwo\rthree";
    mnMoveForward_Click();
    EXPECT_EQ(fakeView.comment, "one\ntwo\nthree");
    mnMoveStart_Click();
    EXPECT_EQ(Game.MoveComment[1], "one\r\ntwo\rthree");
    EXPECT_FALSE(Game.Modified);
    EXPECT_EQ(fakeView.moveRows[1], "1.e4!");
    EXPECT_EQ(fakeView.moveRows[2], "  e5*");
}

TEST_F(MoveEntryTest, TypeInFocusesTheMoveBox)
{
    mnMoveType_Click();
    EXPECT_EQ(fakeView.focusCount, 1);
}

} // namespace
