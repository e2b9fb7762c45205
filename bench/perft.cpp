// Move-generation speed through the rules library's public operations.
// Usage: perft [--divide] <depth> [FEN|startpos|kiwipete]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kessrin.h"

namespace {

constexpr const char* StartPosFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* KiwipeteFen =
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

// Leaf nodes at depth; the last level is counted from the generated list, not played.
uint64_t perft(RulesBoard& board, int depth)
{
    if (depth == 0)
        return 1;
    MoveCode moves[1024];
    const int count = KessrinGenMoves(board, moves);
    if (depth == 1)
        return static_cast<uint64_t>(count);
    uint64_t nodes = 0;
    for (int i = 0; i < count; ++i) {
        int flags = 0;
        if (KessrinTryMove(board, flags, moves[i]) == 0) {
            std::fprintf(stderr, "generated move %d refused\n", moves[i]);
            continue;
        }
        nodes += perft(board, depth - 1);
        KessrinUndoMove(board);
    }
    return nodes;
}

void usage()
{
    std::fprintf(stderr, "usage: perft [--divide] <depth> [FEN|startpos|kiwipete]\n");
}

} // namespace

int main(int argc, char** argv)
{
    int arg = 1;
    bool divide = false;
    if (arg < argc && std::string(argv[arg]) == "--divide") {
        divide = true;
        ++arg;
    }
    if (arg >= argc) {
        usage();
        return 2;
    }
    const int depth = std::atoi(argv[arg++]);
    if (depth < 0 || depth > 20) {
        usage();
        return 2;
    }
    std::string fen;
    for (; arg < argc; ++arg)
        fen += (fen.empty() ? "" : " ") + std::string(argv[arg]);
    if (fen.empty() || fen == "startpos")
        fen = StartPosFen;
    else if (fen == "kiwipete")
        fen = KiwipeteFen;

    KessrinInit();
    static RulesBoard board; // 8 KB, kept off the stack
    KessrinFen2Board(board, fen);

    const auto started = std::chrono::steady_clock::now();
    uint64_t nodes = 0;
    if (divide && depth >= 1) {
        MoveCode moves[1024];
        const int count = KessrinGenMoves(board, moves);
        for (int i = 0; i < count; ++i) {
            const std::string san = KessrinMove2Alg(board, moves[i]);
            int flags = 0;
            if (KessrinTryMove(board, flags, moves[i]) == 0)
                continue;
            const uint64_t sub = perft(board, depth - 1);
            KessrinUndoMove(board);
            std::printf("%s (%s): %llu\n", MoveToCoord(moves[i], false).c_str(), san.c_str(),
                        static_cast<unsigned long long>(sub));
            nodes += sub;
        }
    } else {
        nodes = perft(board, depth);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("nodes %llu\n", static_cast<unsigned long long>(nodes));
    std::printf("seconds %.3f\n", seconds);
    std::printf("nps %.0f\n", seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0);
    return 0;
}
