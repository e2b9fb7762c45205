// Malformed input and edited boards: never a crash, never a read outside the record.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "kessrin/kessrin.h"

namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Uses the board through every operation; with the sanitizers on this catches stray accesses.
void exercise(RulesBoard& board)
{
    MoveCode moves[1024];
    const int n = KessrinGenMoves(board, moves);
    ASSERT_GE(n, 0);
    ASSERT_LE(n, 1024);
    for (int i = 0; i < n && i < 40; ++i) {
        const std::string san = KessrinMove2Alg(board, moves[i]);
        EXPECT_FALSE(san.empty()) << KessrinBoard2Fen(board) << " " << MoveToCoord(moves[i], false);
        int flags = 0;
        if (KessrinTryMove(board, flags, moves[i])) {
            MoveCode replies[1024];
            KessrinGenMoves(board, replies);
            KessrinUndoMove(board);
        }
    }
    const std::string fen = KessrinBoard2Fen(board);
    RulesBoard again;
    KessrinFen2Board(again, fen);
    EXPECT_EQ(KessrinBoard2Fen(again), fen) << "FEN written must read back the same";
    KessrinAlg2Move(board, "O-O");
    KessrinAlg2Move(board, "exd");
    KessrinIsChess960(board);
    int flags = 0;
    KessrinTryMove(board, flags, MakeMove(120, 122));
    KessrinTryMove(board, flags, 0x7FFFFFFF);
    KessrinTryMove(board, flags, -1);
}

TEST(Robustness, RandomTextAsFen)
{
    std::mt19937 rng(12345);
    const std::string alphabet = "KQRBNPkqrbnp12345678/ -wbKQkqA-Ha-he3609x\t";
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        const int len = static_cast<int>(rng() % 120);
        for (int i = 0; i < len; ++i)
            text +=
                round % 3 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
        RulesBoard board;
        KessrinFen2Board(board, text);
        exercise(board);
    }
}

TEST(Robustness, MutatedFens)
{
    std::mt19937 rng(777);
    const std::string seeds[] = {
        kStart,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    };
    const std::string pieces = "KQRBNPkqrbnp12345678/";
    for (int round = 0; round < 1500; ++round) {
        std::string text = seeds[round % 4];
        for (int k = 0; k < 3; ++k) {
            const size_t at = rng() % text.size();
            switch (rng() % 3) {
            case 0:
                text[at] = pieces[rng() % pieces.size()];
                break;
            case 1:
                text.insert(at, 1, pieces[rng() % pieces.size()]);
                break;
            default:
                text.erase(at, 1);
                break;
            }
        }
        RulesBoard board;
        KessrinFen2Board(board, text);
        exercise(board);
    }
}

// Boards written directly by a caller: kings missing or doubled, pawns on the last rows,
// unknown piece codes, garbage in every field.
TEST(Robustness, GarbageRecords)
{
    std::mt19937 rng(4242);
    for (int round = 0; round < 400; ++round) {
        RulesBoard board;
        auto* bytes = reinterpret_cast<uint8_t*>(&board);
        for (size_t i = 0; i < sizeof board; ++i)
            bytes[i] = static_cast<uint8_t>(rng());
        if (round % 2 == 0) {
            board.historyCount = 1 + static_cast<int32_t>(rng() % 1024);
            board.side = static_cast<int32_t>(rng() % 2);
            static const uint8_t codes[] = {0,  0,  0,  0,  0,  8,  9,  10, 11, 12,
                                            13, 16, 17, 18, 19, 20, 21, 7,  200};
            for (auto& sq : board.squares)
                sq = codes[rng() % sizeof codes];
        }
        RulesBoard copy = board;
        exercise(copy);
        for (int k = 0; k < 5; ++k)
            KessrinUndoMove(copy);
        exercise(copy);
    }
}

TEST(Robustness, PawnsOnLastRowsAndNoKings)
{
    const char* fens[] = {
        "PPPPPPPP/8/8/8/8/8/8/pppppppp w - - 0 1",
        "pppppppp/8/8/8/8/8/8/PPPPPPPP b - - 0 1",
        "8/8/8/3Q4/8/8/8/8 w KQkq - 0 1",
        "K6K/8/8/8/8/8/8/k6k w KQkq - 0 1",
        "QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/8/8/8/k6K w - - 0 1",
    };
    for (const char* fen : fens) {
        RulesBoard board;
        KessrinFen2Board(board, fen);
        exercise(board);
    }
    RulesBoard board;
    KessrinFen2Board(board, "8/8/8/3Q4/8/8/8/8 w - - 0 1");
    MoveCode moves[1024];
    EXPECT_EQ(KessrinGenMoves(board, moves), 27) << "without a king every queen move is legal";
}

TEST(Editing, BuildsAPositionPieceByPiece)
{
    RulesBoard board;
    KessrinFen2Board(board, kStart);
    KessrinClearBoard(board);
    EXPECT_EQ(KessrinBoard2Fen(board), "8/8/8/8/8/8/8/8 w - -");
    EXPECT_EQ(board.historyCount, 1);
    KessrinAddPiece(board, 120, 8);  // White king e1
    KessrinAddPiece(board, 123, 10); // White rook h1
    KessrinAddPiece(board, 8, 16);   // Black king e8
    KessrinAddPiece(board, 72, 99);  // not a piece code: ignored
    KessrinAddPiece(board, 0, 13);   // not a board square: ignored
    KessrinSetIrrev(board, 15, 0);
    EXPECT_EQ(KessrinBoard2Fen(board), "4k3/8/8/8/8/8/8/4K2R w K -");
    EXPECT_EQ((board.history[board.historyCount - 1] >> 16) & 15, 15)
        << "the mask is kept as set, the FEN names only castlings that exist";
    EXPECT_EQ(KessrinAlg2Move(board, "O-O"), CoordToMove("e1g1"));
    KessrinChangeSide(board);
    EXPECT_EQ(board.side, 1);
    KessrinDelPiece(board, 123, 10);
    EXPECT_EQ(KessrinBoard2Fen(board), "4k3/8/8/8/8/8/8/4K3 b - -");
}

TEST(Editing, EnPassantValueAndChess960Rooks)
{
    RulesBoard board;
    KessrinFen2Board(board, "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    KessrinSetIrrev(board, 15, 8);
    EXPECT_EQ(KessrinBoard2Fen(board), "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    EXPECT_EQ(KessrinAlg2Move(board, "dxe3"), CoordToMove("d4e3"));
    KessrinSetIrrev(board, 15, 0);
    EXPECT_EQ(KessrinAlg2Move(board, "dxe3"), 0);

    KessrinFen2Board(board, "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w - - 0 1");
    KessrinSetIrrev(board, 15, 0);
    EXPECT_TRUE(KessrinIsChess960(board));
    EXPECT_EQ(board.castlingRooks[0], 122);
    EXPECT_EQ(board.castlingRooks[1], 117);
    EXPECT_EQ(KessrinBoard2Fen(board), "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w GBgb -");
}

} // namespace
