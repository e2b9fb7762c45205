// Move flags, taking moves back, the history limit and the draw rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "kessrin/kessrin.h"

namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

RulesBoard boardFrom(const char* fen)
{
    RulesBoard board;
    KessrinFen2Board(board, fen);
    return board;
}

// The blank-separated words of text.
std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Plays space-separated moves (SAN or coordinates); returns the flags of the last one, or -1
// when a move is not accepted.
int play(RulesBoard& board, const std::string& moves)
{
    int flags = 0;
    for (const std::string& text : words(moves)) {
        const MoveCode code = KessrinAlg2Move(board, text);
        if (code == 0 || !KessrinTryMove(board, flags, code)) {
            ADD_FAILURE() << "move not accepted: " << text;
            return -1;
        }
    }
    return flags;
}

struct FlagRow {
    const char* name;
    const char* fen;
    const char* moves; // played first, the last one's flags are checked
    int flags;
};

const FlagRow kFlagRows[] = {
    {"quiet", kStart, "e4", 0},
    {"capture", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "exd5", MoveFlag::Capture},
    {"castlingKingTwoSquares", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", MoveFlag::Castling},
    {"castlingKingToRook", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1a1", MoveFlag::Castling},
    {"enPassant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6",
     MoveFlag::Capture | MoveFlag::EnPassant},
    {"queenPromotionChecks", "4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8",
     MoveFlag::Promotion | MoveFlag::Check},
    {"knightPromotionLeavesNoMaterial", "4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8=N",
     MoveFlag::Promotion | MoveFlag::NoMaterial},
    {"check", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "Ra8", MoveFlag::Check},
    {"mate", kStart, "f3 e5 g4 Qh4", MoveFlag::Check | MoveFlag::NoReply},
    {"stalemate", "k7/8/8/1Q6/8/8/8/7K w - - 0 1", "Qb6", MoveFlag::NoReply},
    {"threefold", kStart, "Nf3 Nf6 Ng1 Ng8 Nf3 Nf6 Ng1 Ng8", MoveFlag::Repetition},
    {"twofoldOnly", kStart, "Nf3 Nf6 Ng1 Ng8", 0},
    {"fiftyMovesFromFenClock", "4k3/8/8/8/8/8/8/4K2R w - - 99 80", "Rh2", MoveFlag::FiftyMoves},
    {"fiftyMovesNotYet", "4k3/8/8/8/8/8/8/4K2R w - - 98 80", "Rh2", 0},
    {"captureLeavesBareKings", "4k3/8/8/8/8/8/3r4/4K3 w - - 0 1", "Kxd2",
     MoveFlag::Capture | MoveFlag::NoMaterial},
    {"bishopsOnOneColour", "4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", "Ke2", MoveFlag::NoMaterial},
    {"bishopsOnBothColours", "4k1b1/8/8/8/8/8/8/2B1K3 w - - 0 1", "Ke2", 0},
    {"knightsEachCanStillMate", "4kn2/8/8/8/8/8/8/2N1K3 w - - 0 1", "Ke2", 0},
    // A double step with no capturing pawn nearby does not make the position new...
    {"epNotPossibleIgnored", "4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", "Kd8 Kd1 Ke8 Ke1 Kd8 Kd1 Ke8 Ke1",
     MoveFlag::Repetition},
    // ...but one that can be taken en passant does.
    {"epPossibleCounts", "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", "Kd8 Kd1 Ke8 Ke1 Kd8 Kd1 Ke8 Ke1", 0},
};

class Flags : public ::testing::TestWithParam<FlagRow> {};

TEST_P(Flags, ReportedByTryAndUndo)
{
    const FlagRow& row = GetParam();
    RulesBoard board = boardFrom(row.fen);
    EXPECT_EQ(play(board, row.moves), row.flags);
    // Taking the move back reports the same flags, which is what a caller's trial relies on.
    EXPECT_EQ(KessrinUndoMove(board), row.flags);
}

INSTANTIATE_TEST_SUITE_P(Kessrin, Flags, ::testing::ValuesIn(kFlagRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalRow {
    const char* name;
    const char* fen;
    MoveCode move;
    int flags;
};

const RefusalRow kRefusals[] = {
    {"pawnTooFar", kStart, MakeMove(104, 56), MoveFlag::IllegalAttempt},
    {"pinnedPiece", "4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1", MakeMove(104, 73),
     MoveFlag::IllegalAttempt},
    {"castlingThroughCheck", "4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", MakeMove(120, 122),
     MoveFlag::IllegalAttempt},
    {"emptyFromSquare", kStart, MakeMove(72, 56), 0},
    {"opponentsPiece", kStart, MakeMove(24, 56), 0},
    {"sameSquare", kStart, MakeMove(104, 104), 0},
    {"offBoardFrom", kStart, MakeMove(0, 72), 0},
    {"offBoardTo", kStart, MakeMove(104, 0), 0},
};

class Refusals : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(Refusals, LeaveBoardUnchanged)
{
    const RefusalRow& row = GetParam();
    RulesBoard board = boardFrom(row.fen);
    const std::string fen = KessrinBoard2Fen(board);
    int flags = -1;
    EXPECT_EQ(KessrinTryMove(board, flags, row.move), 0);
    EXPECT_EQ(flags, row.flags);
    EXPECT_EQ(KessrinBoard2Fen(board), fen);
    EXPECT_EQ(board.historyCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Kessrin, Refusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(History, EntriesCarryStateAndUndoRestoresIt)
{
    RulesBoard board = boardFrom(kStart);
    ASSERT_EQ(board.historyCount, 1);
    EXPECT_EQ((board.history[0] >> 16) & 15, 15);
    ASSERT_EQ(play(board, "e4"), 0);
    ASSERT_EQ(board.historyCount, 2);
    EXPECT_EQ(board.history[1] & 0xFFFF, MakeMove(104, 72));
    EXPECT_EQ((board.history[1] >> 20) & 15, FileOf(72));
    EXPECT_NE(board.history[1] & (1 << 30), 0) << "a pawn move is irreversible";
    ASSERT_EQ(play(board, "Nf6 Ke2"), 0);
    EXPECT_EQ((board.history[3] >> 16) & 15, 12) << "White's rights are gone";
    EXPECT_EQ(board.history[3] & (1 << 30), 0);
    EXPECT_EQ(KessrinBoard2Fen(board), "rnbqkb1r/pppppppp/5n2/8/4P3/8/PPPPKPPP/RNBQ1BNR b kq -");
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    EXPECT_EQ(KessrinBoard2Fen(board), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    EXPECT_EQ(KessrinUndoMove(board), 0) << "nothing left to take back";
    EXPECT_EQ(board.historyCount, 1);
}

TEST(History, FullHistoryRefusesFurtherMoves)
{
    RulesBoard board = boardFrom(kStart);
    const MoveCode out[2] = {MakeMove(122, 89), MakeMove(10, 41)};  // Ng1-f3, Ng8-f6
    const MoveCode back[2] = {MakeMove(89, 122), MakeMove(41, 10)}; // and home again
    int flags = 0;
    for (int ply = 0; ply < 1023; ++ply) {
        const int side = ply & 1;
        const MoveCode m = (ply / 2) % 2 == 0 ? out[side] : back[side];
        ASSERT_NE(KessrinTryMove(board, flags, m), 0) << "ply " << ply;
    }
    EXPECT_EQ(board.historyCount, 1024);
    const int before = board.side;
    EXPECT_EQ(KessrinTryMove(board, flags, out[1]), 0);
    EXPECT_EQ(board.historyCount, 1024);
    EXPECT_EQ(board.side, before);
    KessrinUndoMove(board);
    EXPECT_NE(KessrinTryMove(board, flags, back[0]), 0);
}

TEST(History, FiftyMoveClockRestartsAfterCaptureAndSurvivesUndo)
{
    RulesBoard board = boardFrom("4k3/8/8/8/8/8/3n4/R3K3 w - - 97 80");
    EXPECT_EQ(play(board, "Ra2"), 0);
    EXPECT_EQ(play(board, "Kd8"), 0);
    EXPECT_EQ(play(board, "Ra3"), MoveFlag::FiftyMoves);
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    EXPECT_EQ(play(board, "Kxd2"), MoveFlag::Capture);
    EXPECT_EQ(play(board, "Kd8 Kc3 Ke8"), 0);
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    KessrinUndoMove(board);
    EXPECT_EQ(play(board, "Ra2 Kd8 Ra3"), MoveFlag::FiftyMoves);
}

// Boards the position editor can make: two kings of one colour, a king short. Every king of the
// side to move is royal; kings never give check, so the black king on f1 may touch the white
// one. The moves played first move the second king or the tracked one, so that the king cache
// is exercised, and most rows end with the two-king side to move.
struct OddBoardRow {
    const char* name;
    const char* fen;
    const char* moves;
};

const OddBoardRow kOddBoards[] = {
    {"twoBlackKingsQueenOnE1", "rnbqkbnr/pppppppp/8/8/8/P7/1PPPPPPP/RNQkq3 b - - 0 1", ""},
    {"secondKingMovesAway", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKk2 w Qkq - 0 1", "a2a3 f1g1"},
    {"trackedKingMoves", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKk2 w Qkq - 0 1",
     "a2a3 e7e5 a3a4 e8e7 a4a5"},
    {"secondKingTakes", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKk2 w Qkq - 0 1", "a2a3 f1g2 a3a4"},
    {"secondKingInCheck", "4k3/8/4b3/8/4k3/8/4R3/K7 b - - 0 1", "e4d4 e2e1 d4c4"},
    {"bishopTakesTheChecker", "r3k2r/8/8/8/8/2b5/8/R3k2K b - - 0 1", "c3a1 h1g2"},
    {"twoBlackKingsCastle", "r3k2r/8/8/3k4/8/8/8/R3K2R b KQkq - 0 1", "e8c8 e1g1 d5e6"},
    {"noWhiteKing", "r3k2r/8/8/8/8/8/8/R6R w KQkq - 0 1", "a1a8 e8d7 h1h7"},
};

// Plays coordinate moves; returns false when one is refused.
bool playCoords(RulesBoard& board, const std::string& moves)
{
    for (const std::string& move : words(moves)) {
        int flags = 0;
        if (!KessrinTryMove(board, flags, CoordToMove(move)))
            return false;
    }
    return true;
}

class OddBoards : public ::testing::TestWithParam<OddBoardRow> {};

// The generator, TryMove, Move2Alg and Alg2Move agree on one set of moves.
TEST_P(OddBoards, AllOperationsAgreeOnTheMoves)
{
    const OddBoardRow& row = GetParam();
    RulesBoard board = boardFrom(row.fen);
    ASSERT_TRUE(playCoords(board, row.moves));
    MoveCode moves[1024];
    const int n = KessrinGenMoves(board, moves);
    std::vector<MoveCode> generated(moves, moves + n);
    const int own = board.side == 0 ? 8 : 16;
    for (int from = 0; from < 128; ++from) {
        if (!OnBoard(from) || !(board.squares[from] & own))
            continue;
        for (int to = 0; to < 128; ++to) {
            if (!OnBoard(to))
                continue;
            const MoveCode move = MakeMove(from, to);
            const std::string san = KessrinMove2Alg(board, move);
            const bool listed =
                std::find(generated.begin(), generated.end(), move) != generated.end();
            int flags = 0;
            const bool legal = KessrinTryMove(board, flags, move) != 0;
            if (legal)
                KessrinUndoMove(board);
            const std::string what = KessrinBoard2Fen(board) + " " + MoveToCoord(move, false);
            EXPECT_EQ(legal, !san.empty()) << what;
            if (listed) {
                EXPECT_TRUE(legal) << what;
                EXPECT_EQ(KessrinAlg2Move(board, san), move) << what << " " << san;
            } else if (legal) {
                EXPECT_NE(
                    std::find(generated.begin(), generated.end(), KessrinAlg2Move(board, san)),
                    generated.end())
                    << "only castling has a second spelling: " << what;
            }
        }
    }
}

// Every move taken back restores the record exactly, castling rights and king cache included.
TEST_P(OddBoards, UndoRestoresTheExactRecord)
{
    const OddBoardRow& row = GetParam();
    RulesBoard board = boardFrom(row.fen);
    std::vector<RulesBoard> before{board};
    std::vector<std::string> fens{KessrinBoard2Fen(board)};
    for (const std::string& move : words(row.moves)) {
        int flags = 0;
        ASSERT_NE(KessrinTryMove(board, flags, CoordToMove(move)), 0);
        before.push_back(board);
        fens.push_back(KessrinBoard2Fen(board));
    }
    for (size_t k = before.size() - 1; k > 0; --k) {
        KessrinUndoMove(board);
        const RulesBoard& expected = before[k - 1];
        EXPECT_EQ(KessrinBoard2Fen(board), fens[k - 1]) << row.name << " undo " << k;
        EXPECT_EQ(board.historyCount, expected.historyCount);
        EXPECT_EQ(std::memcmp(board.libState, expected.libState, sizeof board.libState), 0);
        EXPECT_EQ(std::memcmp(board.squares, expected.squares, sizeof board.squares), 0);
        EXPECT_EQ(std::memcmp(board.castlingRooks, expected.castlingRooks, 4), 0);
        EXPECT_EQ(board.history[board.historyCount - 1],
                  expected.history[expected.historyCount - 1]);
        EXPECT_EQ(board.libHistory[board.historyCount - 1],
                  expected.libHistory[expected.historyCount - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(Kessrin, OddBoards, ::testing::ValuesIn(kOddBoards),
                         [](const auto& info) { return std::string(info.param.name); });

struct RoyalRow {
    const char* fen;
    const char* move;
    bool legal;
    int flags;
};

// With two kings, leaving either in check is illegal and attacking either is check; touching
// kings stop no move except a king stepping next to the other.
const RoyalRow kRoyalRows[] = {
    {"4k3/8/4b3/8/4k3/8/4R3/K7 b - - 0 1", "e6d5", false, 0},
    {"4k3/8/4b3/8/4k3/8/4R3/K7 b - - 0 1", "e4d4", true, 0},
    {"4k3/8/8/8/8/2b5/8/R3k2K b - - 0 1", "c3a1", true, MoveFlag::Capture | MoveFlag::NoMaterial},
    {"4k3/8/8/8/8/2b5/8/R3k2K b - - 0 1", "c3d4", false, 0},
    {"4k3/8/8/8/8/2b5/8/R3k2K b - - 0 1", "e1f1", false, 0},
    {"4k3/8/8/8/8/2b5/8/R3k2K b - - 0 1", "e1f2", true, 0},
    // Every step of the king in check opens the file onto the other one: mate.
    {"4k3/8/8/8/4k3/8/8/K6R w - - 0 1", "h1e1", true, MoveFlag::Check | MoveFlag::NoReply},
    {"4k3/8/8/8/4k3/8/8/K6R w - - 0 1", "h1h8", true, MoveFlag::Check},
    {"4k3/8/8/8/4k3/8/8/K6R w - - 0 1", "h1h5", true, 0},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKk2 w Qkq - 0 1", "a2a3", true, 0},
    {"4k3/p7/8/8/8/8/8/3Kk3 w - - 0 1", "d1c2", true, 0},
    {"4k3/p7/8/8/8/8/8/3Kk3 w - - 0 1", "d1d2", false, 0},
    // Castling needs a single king on the back rank.
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", true, MoveFlag::Castling},
    {"r3k2r/8/8/8/3k4/8/8/R3K2R b KQkq - 0 1", "e8g8", true, MoveFlag::Castling},
    {"r3k2r/8/8/8/8/8/8/k3K2R b KQkq - 0 1", "e8c8", true, MoveFlag::Castling},
    {"rk2k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", false, 0},
    {"r3k2r/8/8/8/8/8/4R3/k3K3 b kq - 0 1", "e8g8", false, 0}, // out of check
    {"r3k2r/8/8/8/8/8/3R4/k3K3 b kq - 0 1", "e8c8", false, 0}, // across d8
    {"r3k2r/8/8/8/8/8/3R4/k3K3 b kq - 0 1", "e8g8", true, MoveFlag::Castling},
};

TEST(OddBoards, EveryKingIsRoyal)
{
    for (const RoyalRow& row : kRoyalRows) {
        RulesBoard board = boardFrom(row.fen);
        int flags = 0;
        const MoveCode move = CoordToMove(row.move);
        EXPECT_EQ(KessrinTryMove(board, flags, move) != 0, row.legal) << row.fen << " " << row.move;
        if (row.legal) {
            EXPECT_EQ(flags, row.flags) << row.fen << " " << row.move;
        }
    }
}

TEST(Castling, StandardBothForms)
{
    RulesBoard board = boardFrom("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    MoveCode moves[1024];
    const int n = KessrinGenMoves(board, moves);
    int castlings = 0;
    for (int i = 0; i < n; ++i)
        if (MoveFrom(moves[i]) == 120 && (MoveTo(moves[i]) == 122 || MoveTo(moves[i]) == 118))
            ++castlings;
    EXPECT_EQ(castlings, 2) << "standard chess lists castling as the king's two-square move";
    int flags = 0;
    ASSERT_NE(KessrinTryMove(board, flags, MakeMove(120, 116)), 0);
    EXPECT_EQ(board.squares[118], 8);
    EXPECT_EQ(board.squares[119], 10);
    EXPECT_EQ(board.squares[116], 0);
    EXPECT_EQ(KessrinUndoMove(board), MoveFlag::Castling);
    EXPECT_EQ(board.squares[120], 8);
    EXPECT_EQ(board.squares[116], 10);
}

TEST(Castling, Chess960KingSideRookOnG1)
{
    RulesBoard board = boardFrom("7k/8/8/8/8/8/8/1R3KR1 w GB - 0 1");
    EXPECT_TRUE(KessrinIsChess960(board));
    const MoveCode castle = KessrinAlg2Move(board, "O-O");
    ASSERT_EQ(castle, MakeMove(121, 122)) << "Chess960 castling is coded king-to-rook";
    const int index = CastlingIndex(board.side, MoveFrom(castle), MoveTo(castle));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(board.castlingRooks[index], 122);
    int flags = 0;
    ASSERT_NE(KessrinTryMove(board, flags, castle), 0);
    EXPECT_EQ(flags, MoveFlag::Castling);
    EXPECT_EQ(board.squares[KingTarget(index)], 8);
    EXPECT_EQ(board.squares[RookTarget(index)], 10);
    EXPECT_EQ(KessrinBoard2Fen(board), "7k/8/8/8/8/8/8/1R3RK1 b - -");
    EXPECT_EQ(KessrinUndoMove(board), MoveFlag::Castling);
    EXPECT_EQ(board.squares[121], 8);
    EXPECT_EQ(board.squares[122], 10);
    EXPECT_EQ(KessrinAlg2Move(board, "Kg1"), 0) << "g1 holds the king's own rook";
}

// Castlings where the king or the rook stays put, or each lands on the other's square; the
// counts are Stockfish's perft 1. A king already on its target may stand in check once the
// shielding rook leaves.
TEST(Castling, Chess960KingOrRookStandingStill)
{
    const struct {
        const char* fen;
        int legal;
    } rows[] = {
        {"Qrk5/8/8/8/8/8/8/6K1 b b - 0 1", 4},    {"6k1/8/8/8/8/8/8/qRK5 w B - 0 1", 4},
        {"4k3/8/8/8/8/8/8/qRK5 w B - 0 1", 4},    {"1rk5/8/8/8/8/8/8/6K1 b b - 0 1", 13},
        {"4k3/8/8/8/8/8/8/4KR2 w F - 0 1", 14},   {"4k1r1/8/8/8/8/8/8/4KR2 w F - 0 1", 13},
        {"4k3/8/8/8/8/8/8/5KR1 w G - 0 1", 13},   {"4k1r1/8/8/8/8/8/8/5KR1 w G - 0 1", 11},
        {"1r2k3/8/8/8/8/8/8/R1K5 w A - 0 1", 12},
    };
    for (const auto& row : rows) {
        RulesBoard board = boardFrom(row.fen);
        MoveCode moves[256];
        EXPECT_EQ(KessrinGenMoves(board, moves), row.legal) << row.fen;
    }
}

TEST(Castling, StandardSetupIsNotChess960)
{
    EXPECT_FALSE(KessrinIsChess960(boardFrom(kStart)));
    EXPECT_FALSE(KessrinIsChess960(boardFrom("4k3/8/8/8/8/8/8/4K3 w - - 0 1")));
    RulesBoard board = boardFrom("nrbbqknr/pppppppp/8/8/8/8/PPPPPPPP/NRBBQKNR w KQkq - 0 1");
    EXPECT_TRUE(KessrinIsChess960(board));
    EXPECT_EQ(board.castlingRooks[0], 123);
    EXPECT_EQ(board.castlingRooks[1], 117);
    // Still a Chess960 game once the rights are gone.
    EXPECT_NE(play(board, "e4 e5 Ke2 Ke7"), -1);
    EXPECT_TRUE(KessrinIsChess960(board));
}

} // namespace
