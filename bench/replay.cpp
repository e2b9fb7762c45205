// Replaying a long game through DoMove in mode 0, as the PGN reader does: 1,000 plies recorded
// with their SAN, opening lookup and board steps, without a window. Set QUORVIN_PROGRAM_FOLDER
// (ending in "/") to load the program folder's ECO.TXT, so the opening lookup does real work.
#include "core/domove.h"
#include "core/gamerecord.h"
#include "gui/qtplatform.h"
#include "kessrin.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int ReplayPlies = 1000;

// A legal game of ReplayPlies plies from the standard start: moves picked by a fixed
// pseudo-random sequence, never one that leaves the opponent without a reply, so the game runs
// on through the draw rules as a recorded game may.
std::vector<MoveCode> BuildGame()
{
    RulesBoard board{};
    KessrinFen2Board(board, StandardFen);
    std::vector<MoveCode> game;
    std::uint32_t seed = 12345;
    std::array<MoveCode, 1024> moves{};
    while (static_cast<int>(game.size()) < ReplayPlies) {
        const int count = KessrinGenMoves(board, moves.data());
        if (count == 0)
            break;
        seed = seed * 1664525u + 1013904223u;
        MoveCode chosen = 0;
        for (int tried = 0; tried < count && chosen == 0; ++tried) {
            const MoveCode move = moves[(seed >> 8) % static_cast<std::uint32_t>(count)];
            int flags = 0;
            if (!KessrinTryMove(board, flags, move))
                break;
            if (flags & MoveFlag::NoReply)
                KessrinUndoMove(board);
            else
                chosen = move;
            seed = seed * 1664525u + 1013904223u;
        }
        if (chosen == 0)
            break;
        game.push_back(chosen);
    }
    return game;
}

void BM_ReplayQuiet(benchmark::State& state)
{
    const std::vector<MoveCode> game = BuildGame();
    if (static_cast<int>(game.size()) < ReplayPlies) {
        state.SkipWithError("no game of 1,000 plies");
        return;
    }
    for (auto _ : state) {
        resetRecord(false);
        for (MoveCode move : game)
            if (!DoMove(move, ModeQuiet, 0)) {
                state.SkipWithError("a recorded move was refused");
                return;
            }
        benchmark::DoNotOptimize(Game.PlyCount);
    }
    state.counters["plies"] = static_cast<double>(Game.PlyCount);
}
BENCHMARK(BM_ReplayQuiet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication application(argc, argv);
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);
    KessrinInit();
    if (const char* folder = std::getenv("QUORVIN_PROGRAM_FOLDER"))
        KessrinLoadEco(std::string(folder) + "ECO.TXT", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    KessrinUnloadEco();
    setPlatform(nullptr);
    return 0;
}
