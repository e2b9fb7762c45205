#include "support/program_state.h"

#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "files/filestate.h"
#include "kessrin.h"
#include "play/clockstate.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "study/puzzles.h"
#include "support/test_app.h"

void ResetProgramState()
{
    ensureApplication();
    App.ProgramFolder = testProgramFolder();
    Cfg.resetToDefaults();
    Cfg.Animation = false;
    Cfg.Music = 0;
    Cfg.ShowNew = false;
    Cfg.TryAgain = false;
    KessrinInit();
    resetRecord(false);
    Engine.reset();
    Clock.reset();
    Files.reset();
    Puzzles.reset();
    Game.LastMoveShown = 0;
    Game.SelectedSquare = 0;
    Game.PromotionChoice = 0;
}
