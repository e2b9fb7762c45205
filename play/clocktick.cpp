#include "play/clocktick.h"

#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/gamecontrol.h"
#include "shell/audio.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QCoreApplication>

bool SpeechIdle()
{
    return platform().speechIdle();
}

void ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {

bool EnginePlaysSideToMove()
{
    return Game.EndSide == White ? Engine.EngineWhite : Engine.EngineBlack;
}

bool AnalysisWanted()
{
    return Engine.ThinkShown && !Engine.EngineWhite && !Engine.EngineBlack;
}

} // namespace

void EngineTurn()
{
    if (Engine.EngineState != 1)
        return;
    if (EnginePlaysSideToMove()) {
        if (!SpeechIdle())
            return;
        // The engine answers the live game, not a position the user stepped back to.
        if (Game.CurPly < Game.PlyCount) {
            while (Game.CurPly < Game.PlyCount)
                StepForward(false, false);
            ShowMoveList(false);
        }
        Engine.EngineState = 6;
        StartSearch();
    } else if (AnalysisWanted()) {
        Engine.EngineState = 5;
        StartSearch();
    }
}

double SecondsSinceLastTick()
{
    if (Clock.LastTickTime < 0)
        return SecondsPerDay;
    double elapsed = platform().timeOfDay() - Clock.LastTickTime;
    if (elapsed < 0)
        elapsed += SecondsPerDay; // midnight passed
    return elapsed;
}

bool LoopIdle()
{
    // States 1 to 3 are an engine waiting for a command; 4 and above read a search's output. A
    // demonstration at the last ply waits for the user, whose action is a window event.
    const bool demoStepping = Clock.DemoRunning && Game.CurPly < Game.PlyCount;
    // An idle engine about to be handed a search (an analysis restarted after a step through the
    // game, say) starts it at the next tick, not after the idle wait.
    const bool searchDue = Engine.EngineState == 1 && (EnginePlaysSideToMove() || AnalysisWanted());
    return !searchDue && Engine.EngineState <= 3 && !Clock.ClockRunning && !demoStepping &&
           Cfg.Music <= 0 && SpeechIdle();
}

void ClockTick()
{
    Clock.LastTickTime = platform().timeOfDay();
    ClockSecond();
    DemoStep();
    EngineTurn();
    MusicTick();
    ProcessEvents();
    // The 1 ms loop costs a laptop battery for nothing while nobody plays or thinks.
    if (LoopIdle())
        platform().waitForActivity(IdleWaitMs, PolledEngineDescriptor());
    else
        platform().sleepMs(1);
}
