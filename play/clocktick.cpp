#include "play/clocktick.h"

#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "play/clocks.h"
#include "play/gamecontrol.h"
#include "shell/audio.h"
#include "shell/platform.h"

#include <QCoreApplication>

bool SpeechIdle()
{
    return platform().speechIdle();
}

void ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void EngineTurn()
{
    if (Engine.EngineState != 1)
        return;
    const bool enginePlaysSideToMove =
        Game.EndSide == White ? Engine.EngineWhite : Engine.EngineBlack;
    if (enginePlaysSideToMove) {
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
    } else if (Engine.ThinkShown && !Engine.EngineWhite && !Engine.EngineBlack) {
        Engine.EngineState = 5;
        StartSearch();
    }
}

void ClockTick()
{
    ClockSecond();
    DemoStep();
    EngineTurn();
    MusicTick();
    ProcessEvents();
    platform().sleepMs(1);
}
