// SAN writing and lenient reading, FEN reading and writing, coordinate notation.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kessrin/kessrin.h"

namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

RulesBoard boardFrom(const char* fen)
{
    RulesBoard board;
    KessrinFen2Board(board, fen);
    return board;
}

struct SanRow {
    const char* fen;
    const char* coord; // the move as coordinates
    const char* san;
};

const SanRow kSanRows[] = {
    {kStart, "e2e4", "e4"},
    {kStart, "g1f3", "Nf3"},
    {kStart, "e2e5", ""},
    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "b1d2", "Nbd2"},
    {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "a1b2", "Qa1b2"},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "c1b2", "Qcb2"},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "a3b2", "Q3b2"},
    {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", "exd5"},
    {"4k3/8/8/3p4/4P3/2N5/8/4K3 w - - 0 1", "c3d5", "Nxd5"},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8", "a8=Q"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8n", "a8=N"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7b8r", "axb8=R"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1h1", "O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "O-O-O"},
    {"7k/8/8/8/8/8/8/1R3KR1 w GB - 0 1", "f1g1", "O-O"},
    {"7k/8/8/8/8/8/8/1R3KR1 w GB - 0 1", "f1b1", "O-O-O"},
};

TEST(San, WritesStandardNotation)
{
    for (const SanRow& row : kSanRows) {
        const RulesBoard board = boardFrom(row.fen);
        EXPECT_EQ(KessrinMove2Alg(board, CoordToMove(row.coord)), row.san)
            << row.fen << " " << row.coord;
    }
}

TEST(San, EveryLegalMoveReadsBackFromItsSan)
{
    const char* fens[] = {
        kStart,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
        "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9",
        "4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1",
    };
    for (const char* fen : fens) {
        const RulesBoard board = boardFrom(fen);
        MoveCode moves[1024];
        const int n = KessrinGenMoves(board, moves);
        ASSERT_GT(n, 0);
        for (int i = 0; i < n; ++i) {
            const std::string san = KessrinMove2Alg(board, moves[i]);
            EXPECT_EQ(KessrinAlg2Move(board, san), moves[i]) << fen << " " << san;
        }
    }
}

struct ReadRow {
    const char* fen;
    const char* text;
    const char* coord; // expected move, "" when the text names none
};

const ReadRow kReadRows[] = {
    {kStart, "e4", "e2e4"},
    {kStart, "e2e4", "e2e4"},
    {kStart, "e2-e4", "e2e4"},
    {kStart, " Nf3+ ", "g1f3"},
    {kStart, "Nf3!?", "g1f3"},
    {kStart, "Ng1f3", "g1f3"},
    {kStart, "N1f3", "g1f3"},
    {kStart, "nf3", "g1f3"},
    {kStart, "e5", ""},
    {kStart, "Nf4", ""},
    {kStart, "O-O", ""},
    {kStart, "", ""},
    {kStart, "+", ""},
    {kStart, "zz9", ""},
    {kStart, "E2E4", ""},
    {"4k3/8/8/2p1p3/3P4/8/8/4K3 w - - 0 1", "dxe5", "d4e5"},
    {"4k3/8/8/2p1p3/3P4/8/8/4K3 w - - 0 1", "de5", "d4e5"},
    {"4k3/8/8/2p1p3/3P4/8/8/4K3 w - - 0 1", "dxc", "d4c5"},
    {"4k3/8/8/3p4/4P3/3p4/4P3/4K3 w - - 0 1", "exd", ""},
    {"4k3/8/8/3p4/4P3/3p4/4P3/4K3 w - - 0 1", "exd5", "e4d5"},
    {"4k3/8/8/3p4/4P3/3p4/4P3/4K3 w - - 0 1", "e3", "e2e3"},
    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "Nbd2", "b1d2"},
    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "Nd2", ""},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "Qa1b2", "a1b2"},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "Qab2", ""},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "Qa1xb2", "a1b2"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8", "a7a8"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8Q", "a7a8"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8=N", "a7a8n"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8b", "a7a8b"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8r", "a7a8r"},
    {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "axb8=R+", "a7b8r"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O", "e1g1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "0-0-0", "e1c1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O+", "e1g1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1h1", "e1g1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1", "O-O-O", ""},
    {"7k/8/8/8/8/8/8/1R3KR1 w GB - 0 1", "O-O", "f1g1"},
    {"7k/8/8/8/8/8/8/1R3KR1 w GB - 0 1", "O-O-O", "f1b1"},
    {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "b4", "b2b4"},
    {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "b3", "b2b3"},
    {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "Bd2", "c1d2"},
    {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "bd2", ""},
    {"4k3/8/2p5/1P6/8/8/8/2B1K3 w - - 0 1", "bxc6", "b5c6"},
};

TEST(San, ReadsLeniently)
{
    for (const ReadRow& row : kReadRows) {
        const RulesBoard board = boardFrom(row.fen);
        const MoveCode expected = *row.coord ? CoordToMove(row.coord) : 0;
        EXPECT_EQ(KessrinAlg2Move(board, row.text), expected) << row.fen << " '" << row.text << "'";
    }
}

struct FenRow {
    const char* in;
    const char* out;
};

const FenRow kFenRows[] = {
    {kStart, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"},
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3",
     "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
     "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -"},
    {"bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9",
     "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf -"},
    // X-FEN letters name the outermost rooks; written back as files.
    {"nrbbqknr/pppppppp/8/8/8/8/PPPPPPPP/NRBBQKNR w KQkq - 0 1",
     "nrbbqknr/pppppppp/8/8/8/8/PPPPPPPP/NRBBQKNR w HBhb -"},
    // Shredder letters for the standard setup are written the standard way.
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"},
    {"4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1", "4k3/8/8/8/8/8/8/4K3 w - -"},
    // Letters that name no rook beside the king are dropped without touching the rooks read.
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkqd -", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b dKQkqbG -", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -"},
    {"4k2r/8/8/8/8/8/8/R3K3 w KQkqe -", "4k2r/8/8/8/8/8/8/R3K3 w Qk -"},
    {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w GBgbH -", "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w GBgb -"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w Kxyz9Q -", "r3k2r/8/8/8/8/8/8/R3K2R w KQ -"},
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 1",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"},
    {"8/8/8/8/8/8/8/8", "8/8/8/8/8/8/8/8 w - -"},
    {"pppppppppppp/8/8/8/8/8/8/4K2k b", "pppppppp/8/8/8/8/8/8/4K2k b - -"},
    {"4k3/8/8/8/8/8/8/4K3/PPPP/PPPP w", "4k3/8/8/8/8/8/8/4K3 w - -"},
    {"", "8/8/8/8/8/8/8/8 w - -"},
    {"  4k3/8/8/8/8/8/8/4K3\tb  -  -  ", "4k3/8/8/8/8/8/8/4K3 b - -"},
};

TEST(Fen, ReadsAndWrites)
{
    for (const FenRow& row : kFenRows) {
        const RulesBoard board = boardFrom(row.in);
        const std::string fen = KessrinBoard2Fen(board);
        EXPECT_EQ(fen, row.out) << row.in;
        EXPECT_EQ(KessrinBoard2Fen(boardFrom(fen.c_str())), fen) << "second reading of " << fen;
    }
}

struct CastlingLettersRow {
    const char* fen;
    bool chess960;
    uint8_t rooks[4];
};

const CastlingLettersRow kCastlingLetterRows[] = {
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkqd -", false, {123, 116, 11, 4}},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkqd -", false, {123, 116, 11, 4}},
    {"r3k2r/8/8/8/8/8/8/R3K2R w HAhac -", false, {123, 116, 11, 4}},
    {"rr2k2r/8/8/8/8/8/8/R3K2R w KQkqb -", true, {123, 116, 11, 5}},
    // Pawns close the files, else each g-rook would forbid the other side's short castling.
    {"1r2k1r1/1p4p1/8/8/8/8/1P4P1/1R2K1R1 w KQkq -", true, {122, 117, 10, 5}},
};

// The castlings each side can play are exactly those the FEN names, read back unchanged, and
// junk letters never make a standard setup a Chess960 one.
TEST(Fen, CastlingLettersMatchTheCastlingsPlayed)
{
    for (const CastlingLettersRow& row : kCastlingLetterRows) {
        RulesBoard board = boardFrom(row.fen);
        EXPECT_EQ(KessrinIsChess960(board), row.chess960) << row.fen;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(board.castlingRooks[i], row.rooks[i]) << row.fen << " rook " << i;
        const std::string fen = KessrinBoard2Fen(board);
        EXPECT_EQ(KessrinBoard2Fen(boardFrom(fen.c_str())), fen) << row.fen;
        const std::string rights = fen.substr(fen.find(' ', fen.find(' ') + 1) + 1);
        for (int side = 0; side < 2; ++side) {
            if (board.side != side)
                KessrinChangeSide(board);
            int letters = 0;
            for (char c : rights.substr(0, rights.find(' ')))
                letters += c != '-' && ((c >= 'A' && c <= 'Z') == (side == 0));
            MoveCode moves[1024];
            const int n = KessrinGenMoves(board, moves);
            int castlings = 0;
            for (int k = 0; k < n; ++k) {
                int flags = 0;
                ASSERT_NE(KessrinTryMove(board, flags, moves[k]), 0);
                castlings += (flags & MoveFlag::Castling) != 0;
                KessrinUndoMove(board);
            }
            EXPECT_EQ(castlings, letters) << row.fen << " side " << side;
        }
    }
}

TEST(Fen, MovesUpdateCastlingAndEnPassant)
{
    RulesBoard board = boardFrom("r3k2r/8/8/8/1p6/8/P7/R3K2R w KQkq - 0 1");
    int flags = 0;
    ASSERT_NE(KessrinTryMove(board, flags, CoordToMove("a2a4")), 0);
    EXPECT_EQ(KessrinBoard2Fen(board), "r3k2r/8/8/8/Pp6/8/8/R3K2R b KQkq a3");
    ASSERT_NE(KessrinTryMove(board, flags, CoordToMove("h8h1")), 0);
    EXPECT_EQ(flags, MoveFlag::Capture | MoveFlag::Check);
    EXPECT_EQ(KessrinBoard2Fen(board), "r3k3/8/8/8/Pp6/8/8/R3K2r w Qq -");
}

struct CoordRow {
    const char* text;
    MoveCode move;
};

const CoordRow kCoordRows[] = {
    {"e2e4", MakeMove(104, 72)},
    {"e7e8n", MakeMove(24, 8, 3)},
    {"e7e8r", MakeMove(24, 8, 1)},
    {"a2a1b", MakeMove(100, 116, 2)},
    {"e7e8q", MakeMove(24, 8, 0)},
    {"e7e8Q", MakeMove(24, 8, 0)},
    {"e7e8x", MakeMove(24, 8, 0)},
    {"e7e8nxyz", MakeMove(24, 8, 3)},
    {"h1a8", MakeMove(123, 4)},
    {"E2E4", 0},
    {"e9e4", 0},
    {"i2i4", 0},
    {"e2e", 0},
    {"", 0},
    {"e0e4", 0},
    {"2e4e", 0},
};

TEST(Coordinates, ReadAndWrite)
{
    for (const CoordRow& row : kCoordRows)
        EXPECT_EQ(CoordToMove(row.text), row.move) << row.text;
    EXPECT_EQ(MoveToCoord(MakeMove(104, 72), false), "e2e4");
    EXPECT_EQ(MoveToCoord(MakeMove(24, 8), false), "e7e8");
    EXPECT_EQ(MoveToCoord(MakeMove(24, 8), true), "e7e8q");
    EXPECT_EQ(MoveToCoord(MakeMove(100, 116, 3), false), "a2a1n");
    EXPECT_EQ(MoveToCoord(MakeMove(100, 116, 2), true), "a2a1b");
}

} // namespace
