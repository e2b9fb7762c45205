#include "engine/analysis.h"

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "files/filedialog.h"
#include "files/positions.h"
#include "shell/appstate.h"
#include "shell/platform.h"
#include "shell/view.h"

void mnEngineAnalyze_Click()
{
    if (Engine.ThinkShown) {
        CloseThinkingWindow();
        return;
    }
    Engine.ThinkShown = true;
    view().setCommandChecked(QStringLiteral("mnEngineAnalyze"), true);
    view().showThinking();
}

void ThinkWindowUnloaded()
{
    if (!Engine.ThinkShown)
        return;
    // Cleared first: stopping the engine polls it, and nothing it prints goes to a closed window.
    Engine.ThinkShown = false;
    if (Engine.EngineState > 0 && !Engine.EngineWhite && !Engine.EngineBlack)
        HaltEngine();
    view().setCommandChecked(QStringLiteral("mnEngineAnalyze"), false);
}

void mnPosAnalyze_Click()
{
    const QString program = App.ProgramFolder + QStringLiteral("veldran");
    // Each argument reaches the new copy whole, so the FEN's blanks need no quotes; the copy
    // joins its arguments back into "/S " + FEN.
    if (!platform().startDetached(program, {QStringLiteral("/S"), CurrentFen()}))
        ShowFileError(program);
}
