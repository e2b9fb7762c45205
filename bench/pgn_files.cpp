// Game files at the sizes a user meets, with the main window built offscreen so that opening
// fills its real move list and board: opening and saving a game of 1,000 plies, rewriting the
// automatic copy after a move of a 200-ply game, and indexing a file of 10,000 games.
#include "core/domove.h"
#include "core/gamerecord.h"
#include "files/gameindex.h"
#include "files/pgnreader.h"
#include "files/pgnwriter.h"
#include "gui/frmmain.h"
#include "gui/pieceimages.h"
#include "gui/qtplatform.h"
#include "kessrin.h"
#include "shell/appstate.h"
#include "shell/settings.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QTemporaryDir* Scratch = nullptr;

// Plays plies pseudo-random legal moves from the standard start into the record, never one
// that leaves the opponent without a reply, with a comment every tenth ply.
bool RecordGame(int plies, std::uint32_t seed)
{
    resetRecord(false);
    std::array<MoveCode, 1024> moves{};
    while (Game.PlyCount < plies) {
        const int count = KessrinGenMoves(Game.Board, moves.data());
        MoveCode chosen = 0;
        for (int tried = 0; tried < count && chosen == 0; ++tried) {
            seed = seed * 1664525u + 1013904223u;
            const MoveCode move = moves[(seed >> 8) % static_cast<std::uint32_t>(count)];
            int flags = 0;
            if (!KessrinTryMove(Game.Board, flags, move))
                continue;
            KessrinUndoMove(Game.Board);
            if (!(flags & MoveFlag::NoReply))
                chosen = move;
        }
        if (chosen == 0 || !DoMove(chosen, ModeQuiet, 0))
            return false;
        if (Game.PlyCount % 10 == 0)
            Game.MoveComment[Game.PlyCount] =
                QStringLiteral("A note on move %1,\nover two lines").arg(Game.PlyCount);
    }
    Game.TagWhite = QStringLiteral("Player %1").arg(seed % 1000);
    Game.TagBlack = QStringLiteral("Müller");
    Game.TagEvent = QStringLiteral("Club championship");
    Game.TagDate = QStringLiteral("2024.05.01");
    return true;
}

QString WriteScratch(const QString& name)
{
    const QString path = Scratch->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(GameText().toUtf8());
    return path;
}

void BM_OpenGame1000(benchmark::State& state)
{
    if (!RecordGame(1000, 12345)) {
        state.SkipWithError("no game of 1,000 plies");
        return;
    }
    const QString path = WriteScratch(QStringLiteral("long.pgn"));
    for (auto _ : state) {
        Game.GameFile = path;
        LoadGameFile(false);
    }
    if (Game.PlyCount != 1000)
        state.SkipWithError("the game did not read back whole");
    state.counters["plies"] = Game.PlyCount;
}
BENCHMARK(BM_OpenGame1000)->Unit(benchmark::kMillisecond);

void BM_SaveGame1000(benchmark::State& state)
{
    if (!RecordGame(1000, 12345)) {
        state.SkipWithError("no game of 1,000 plies");
        return;
    }
    Game.GameFile = Scratch->filePath(QStringLiteral("saved.pgn"));
    for (auto _ : state)
        if (!WriteGame(false))
            state.SkipWithError("the game was not written");
}
BENCHMARK(BM_SaveGame1000)->Unit(benchmark::kMillisecond);

// What a move adds with "AutoSave" on: the automatic copy rewritten and renamed into place.
void BM_AutosaveAfterMove200(benchmark::State& state)
{
    if (!RecordGame(200, 777)) {
        state.SkipWithError("no game of 200 plies");
        return;
    }
    Cfg.AutoSave = true;
    for (auto _ : state)
        AutoSaveGame();
    if (!QFile::exists(AutosavePath()))
        state.SkipWithError("no automatic copy written");
}
BENCHMARK(BM_AutosaveAfterMove200)->Unit(benchmark::kMillisecond);

// Ten thousand games of 40 to 120 plies, with comments, as one file; indexed with the main
// window's progress bar, as Open does.
void BM_IndexGames10000(benchmark::State& state)
{
    constexpr int Distinct = 50;
    QByteArray games[Distinct];
    for (int k = 0; k < Distinct; ++k) {
        if (!RecordGame(40 + 80 * k / Distinct, 1000u + static_cast<std::uint32_t>(k))) {
            state.SkipWithError("a game could not be recorded");
            return;
        }
        games[k] = GameText().toUtf8();
    }
    QByteArray file;
    for (int n = 0; n < 10000; ++n)
        file += games[n % Distinct] + "\r\n";
    std::size_t found = 0;
    for (auto _ : state) {
        const auto index = IndexGamesShowingProgress(file);
        found = index ? index->size() : 0;
    }
    if (found != 10000)
        state.SkipWithError("the file did not split into 10,000 games");
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_IndexGames10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication application(argc, argv);
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);
    QTemporaryDir scratch;
    Scratch = &scratch;
    App.ProgramFolder = scratch.path() + QLatin1Char('/');
    Cfg.Sounds = false;
    Cfg.Animation = false;
    KessrinInit();
    KessrinLoadEco(BENCH_PROGRAM_FOLDER "/ECO.TXT", 0);
    resetRecord(false);
    LoadPieceImages();
    auto window = std::make_unique<frmMain>();
    window->Form_Load();
    window->show();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.reset();
    KessrinUnloadEco();
    setPlatform(nullptr);
    return 0;
}
