// The thinking window during a long analysis.
//
//   analysis_window [scripted-engine]
//
// 1. Appending to the thinking window: the cost per line around line 10, 10,000 and 100,000,
//    and the memory the process grows by against the text it holds.
// 2. A scripted engine floods "info ... pv ..." lines during analysis with the thinking window
//    and the status bar shown; the main loop's own pass handles them. Meanwhile a click is posted
//    to the main window every 20 ms and the time until it is handled is measured.
#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/analysis.h"
#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "gui/frmmain.h"
#include "gui/frmthink.h"
#include "gui/qtplatform.h"
#include "gui/thinktext.h"
#include "gui/wiring.h"
#include "play/clocktick.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "scripted_engine.h"
#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

double Seconds(SteadyClock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

const QString InfoLine =
    QStringLiteral(" 23   (+42) Bb2 O-O Rc1 a6 cxd5 exd5 Be2 Re8 O-O Bg4 h3 Bh5 Nd4 Bxe2");

void MeasureAppending()
{
    frmThink* window = ThinkForm;
    constexpr int Lines = 100000;
    constexpr int Batch = 200;
    const long memoryBefore = ResidentKb();
    std::vector<std::pair<int, double>> costs; // first line of a batch, microseconds per line
    for (int first = 1; first <= Lines; first += Batch) {
        const auto start = SteadyClock::now();
        for (int line = first; line < first + Batch; ++line)
            window->AppendThink(InfoLine);
        QCoreApplication::processEvents(); // layout and paint, as the main loop would
        costs.emplace_back(first, Seconds(SteadyClock::now() - start) * 1e6 / Batch);
    }
    const long memoryAfter = ResidentKb();
    for (const int at : {1, 10001, 50001, 99801}) {
        const auto found = std::find_if(costs.begin(), costs.end(),
                                        [at](const auto& cost) { return cost.first == at; });
        std::printf("appending lines %d..%d: %.1f us a line\n", at, at + Batch - 1, found->second);
    }
    const qint64 textBytes = qint64(Lines) * (InfoLine.size() + 1);
    std::printf("memory: %ld KB more for %d lines of %lld KB text (%.1f bytes a character)\n",
                memoryAfter - memoryBefore, Lines, textBytes / 1024,
                double(memoryAfter - memoryBefore) * 1024 / textBytes);
    window->ClearThink();
}

// Posts clicks to the move list and measures how long each waits until the window handles it.
class ClickProbe : public QObject {
public:
    explicit ClickProbe(QWidget* target) : target(target) { target->installEventFilter(this); }
    void post()
    {
        posted = SteadyClock::now();
        waiting = true;
        const QPointF at(5, 5);
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at,
                                                            target->mapToGlobal(at), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && waiting) {
            waits.push_back(Seconds(SteadyClock::now() - posted) * 1000);
            waiting = false;
        }
        return false;
    }
    QWidget* target;
    SteadyClock::time_point posted;
    bool waiting = false;
    std::vector<double> waits; // milliseconds
};

void MeasureFlood(const QString& scripted, int lines)
{
    QTemporaryDir dir;
    if (!LoadScriptedEngine(scripted,
                            QStringLiteral("expect uci\nsend uciok\nexpect go infinite\n"
                                           "flood %1 info depth 23 seldepth 30 score cp 42 nodes "
                                           "123456789 nps 1000000 time 5000 pv c1b2 e8g8 a1c1 "
                                           "a7a6 c4d5 e6d5 f1e2\nexpect stop\nsend bestmove c1b2\n")
                                .arg(lines),
                            dir))
        return;
    // Loading an engine closes the thinking window; it opens again for the analysis.
    mnEngineAnalyze_Click();
    ClickProbe probe(MainForm->lstMoveText);
    const std::clock_t cpuStart = std::clock();
    const auto start = SteadyClock::now();
    auto nextClick = start;
    ClockTick(); // starts "go infinite" on the shown position
    while (ThinkForm->txtThink->lineCount() < lines) {
        MainLoopPass();
        if (SteadyClock::now() >= nextClick && !probe.waiting) {
            probe.post();
            nextClick = SteadyClock::now() + std::chrono::milliseconds(20);
        }
        if (Seconds(SteadyClock::now() - start) > 120)
            break;
    }
    const double seconds = Seconds(SteadyClock::now() - start);
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const int shown = ThinkForm->txtThink->lineCount();
    std::sort(probe.waits.begin(), probe.waits.end());
    std::printf("flood: %d lines in the thinking window in %.2f s = %.0f lines/s wall, %.0f "
                "lines per processor second\n",
                shown, seconds, shown / seconds, shown / cpu);
    if (!probe.waits.empty())
        std::printf("clicks during the flood: %zu, handled after median %.2f ms, max %.2f ms\n",
                    probe.waits.size(), probe.waits[probe.waits.size() / 2], probe.waits.back());
    std::printf("status bar Pv: \"%s\"\n",
                qPrintable(MainForm->statusPanel(QStringLiteral("Pv"))->text()));
    UnloadEngine();
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
    Cfg.StatusBar = true;
    KessrinInit();
    resetRecord(false);
    StartFromFen(
        QStringLiteral("r1bqk2r/pp3ppp/2nbpn2/3p4/1PP5/P1N1PN2/5PPP/R1BQKB1R w KQkq - 0 9"), true);
    frmMain window;
    window.Form_Load();
    ConnectAllCommands(window);
    window.show();
    mnEngineAnalyze_Click();

    MeasureAppending();
    MeasureFlood(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(SCRIPTED_ENGINE_PATH),
                 200000);
    return 0;
}
