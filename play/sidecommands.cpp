#include "play/sidecommands.h"

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "play/gamecontrol.h"
#include "shell/view.h"

namespace {

void SetTicked(const char* name, bool ticked)
{
    view().setCommandChecked(QString::fromLatin1(name), ticked);
}

// Changes one of the engine's sides. keepSearch: the engine plays the other side and that side
// is to move in the live game, so its search is not disturbed.
void ToggleSide(bool& side, const char* command, bool keepSearch)
{
    if (!keepSearch)
        HaltEngine();
    // An engine that died on being stopped has already given both sides back.
    if (!EngineLoaded())
        return;
    side = !side;
    SetTicked(command, side);
    PreparePlayers();
}

} // namespace

void mnEngineWhite_Click()
{
    ToggleSide(Engine.EngineWhite, "mnEngineWhite", Engine.EngineBlack && Game.EndSide == Black);
}

void mnEngineBlack_Click()
{
    ToggleSide(Engine.EngineBlack, "mnEngineBlack", Engine.EngineWhite && Game.EndSide == White);
}

void mnEnginePonder_Click()
{
    if (Engine.PonderOn && Engine.EngineState != 6)
        HaltEngine();
    Engine.PonderOn = !Engine.PonderOn;
    SetTicked("mnEnginePonder", Engine.PonderOn);
}
