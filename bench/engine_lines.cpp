// Engine line throughput and handshake time through the process layer.
//
//   engine_lines [scripted-engine [uci-engine]]
//
// 1. The scripted engine floods "info ... pv ..." lines while the program analyses; the main
//    loop's step (poll the engine and process window events, else tick) handles them with the
//    status bar updated.
// 2. A real UCI engine (default /usr/games/stockfish) is loaded and unloaded a few times; the
//    time from start to "uciok" (LoadEngine with its options) is reported.
#include "core/gamerecord.h"
#include "engine/engineload.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "gui/frmmain.h"
#include "gui/qtplatform.h"
#include "play/clocktick.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "scripted_engine.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

constexpr int FloodLines = 400000;

void MeasureLines(const QString& scripted)
{
    QTemporaryDir dir;
    if (!LoadScriptedEngine(scripted,
                            QStringLiteral("expect uci\nsend uciok\nexpect go\n"
                                           "flood %1 info depth 12 seldepth 18 score cp 35 nodes "
                                           "123456789 nps 1000000 time 5000 pv e2e4 e7e5 g1f3 "
                                           "b8c6 f1b5 a7a6 b5a4 g8f6 e1g1\nsend bestmove e2e4\n")
                                .arg(FloodLines),
                            dir))
        return;
    Engine.EngineState = 5;
    StartSearch();
    int handled = 0;
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    // The main loop's own step: window events after every line, the clock tick when idle.
    while (Engine.EngineState == 5) {
        if (PollEngine()) {
            ++handled;
            ProcessEvents();
        } else {
            ClockTick();
        }
    }
    const double seconds = Seconds(Clock::now() - start);
    // On a shared machine the wall time includes other programs; the processor time of this
    // process is what the program itself spent.
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("lines handled: %d in %.3f s = %.0f lines/s wall, %.0f lines per processor "
                "second (Pv panel: \"%s\")\n",
                handled, seconds, handled / seconds, handled / cpu,
                qPrintable(MainForm->statusPanel(QStringLiteral("Pv"))->text()));
    UnloadEngine();
}

void MeasureHandshake(const QString& engine)
{
    std::vector<double> times;
    Cfg.EnginePath = engine;
    for (int i = 0; i < 7; ++i) {
        const auto start = Clock::now();
        const bool loaded = LoadEngine(false);
        times.push_back(Seconds(Clock::now() - start) * 1000);
        if (!loaded) {
            std::printf("%s did not load\n", qPrintable(engine));
            return;
        }
        UnloadEngine();
        Cfg.EnginePath = engine;
    }
    std::sort(times.begin(), times.end());
    std::printf("handshake of %s: min %.1f ms, median %.1f ms, max %.1f ms\n", qPrintable(engine),
                times.front(), times[times.size() / 2], times.back());
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QtPlatform host;
    setPlatform(&host);
    App.ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    App.CpuCount = 1;
    Cfg.resetToDefaults();
    Cfg.EngineLog = false;
    KessrinInit();
    resetRecord(false);
    frmMain window;
    window.Form_Load();

    MeasureLines(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(SCRIPTED_ENGINE_PATH));
    MeasureHandshake(argc > 2 ? QString::fromLocal8Bit(argv[2])
                              : QStringLiteral("/usr/games/stockfish"));
    return 0;
}
