// Perft counts through the public operations: the leaf count from KessrinGenMoves, the inner
// nodes played with KessrinTryMove and taken back with KessrinUndoMove.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "kessrin/kessrin.h"

namespace {

uint64_t perft(RulesBoard& board, int depth)
{
    MoveCode moves[1024];
    const int n = KessrinGenMoves(board, moves);
    if (depth <= 1)
        return static_cast<uint64_t>(n);
    uint64_t nodes = 0;
    for (int i = 0; i < n; ++i) {
        int flags = 0;
        if (!KessrinTryMove(board, flags, moves[i])) {
            ADD_FAILURE() << "generated move refused: " << MoveToCoord(moves[i], false);
            continue;
        }
        nodes += perft(board, depth - 1);
        KessrinUndoMove(board);
    }
    return nodes;
}

struct PerftRow {
    const char* name;
    const char* fen;
    int depth;
    uint64_t nodes;
};

// Published figures (standard suite and Chess960 suite), and castling corner cases whose
// figures were cross-checked against an independent engine.
const PerftRow kRows[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
    {"position3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 5, 674624},
    {"position4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 4, 422333},
    {"position4mirrored", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 3,
     9467},
    {"position5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
    {"position6", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3,
     89890},
    {"promotions", "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", 4, 182838},
    {"epDiscoveredOnRank", "8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1", 2, 96},
    {"epEvadesCheck", "8/8/3k4/8/2pP4/8/8/3KQ3 b - d3 0 1", 3, 734},
    {"960start", "nrbbqknr/pppppppp/8/8/8/8/PPPPPPPP/NRBBQKNR w HBhb - 0 1", 3, 7813},
    {"960a", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 4, 326672},
    {"960b", "2nnrbkr/p1qppppp/8/1ppb4/6PP/3PP3/PPP2P2/BQNNRBKR w HEhe - 1 9", 3, 18002},
    {"960c", "b1q1rrkb/pppppppp/3nn3/8/P7/1PPP4/4PPPP/BQNNRKRB w GE - 1 9", 3, 10471},
    {"960d", "qbbnnrkr/2pp2pp/p7/1p2pp2/8/P3PP2/1PPP1KPP/QBBNNR1R w hf - 0 9", 3, 13440},
    {"960e", "1nbbnrkr/p1p1ppp1/3p4/1p3P1p/3Pq2P/8/PPP1P1P1/QNBBNRKR w HFhf - 0 9", 4, 1171749},
    {"960kingOnTarget", "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w GBgb - 0 1", 3, 12297},
    {"960kingRookSwap", "r5kr/8/8/8/8/8/8/R5KR w HAha - 0 1", 3, 11069},
    {"960rookBetween", "rk2r3/8/8/8/8/8/8/RK2R3 w KQkq - 0 1", 3, 9899},
    {"960rookShieldsTarget", "1r3k2/8/8/8/8/8/8/qR1K4 w B - 0 1", 2, 203},
    {"960rookAdjacent", "rkr5/8/8/8/8/8/8/RKR5 w ACac - 0 1", 3, 6855},
};

class Perft : public ::testing::TestWithParam<PerftRow> {};

TEST_P(Perft, MatchesPublishedCount)
{
    const PerftRow& row = GetParam();
    RulesBoard board;
    KessrinFen2Board(board, row.fen);
    const RulesBoard before = board;
    EXPECT_EQ(perft(board, row.depth), row.nodes);
    // Taking every move back leaves the live part of the record exactly as it was.
    ASSERT_EQ(board.historyCount, before.historyCount);
    EXPECT_EQ(board.side, before.side);
    EXPECT_EQ(std::memcmp(board.squares, before.squares, sizeof board.squares), 0);
    EXPECT_EQ(std::memcmp(board.libState, before.libState, sizeof board.libState), 0);
    EXPECT_EQ(board.history[0], before.history[0]);
    EXPECT_EQ(board.libHistory[0], before.libHistory[0]);
}

INSTANTIATE_TEST_SUITE_P(Kessrin, Perft, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
