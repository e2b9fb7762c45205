#include "play/gamecontrol.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginecontrols.h"
#include "engine/enginelog.h"
#include "engine/engineoptions.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "files/captions.h"
#include "files/savegame.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "play/levels.h"
#include "play/sidecommands.h"
#include "shell/audio.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "study/puzzles.h"

namespace {

void SetTicked(const QString& name, bool ticked)
{
    view().setCommandChecked(name, ticked);
}

void SetEnabled(const QString& name, bool enabled)
{
    view().setCommandEnabled(name, enabled);
}

// The board's orientation with its menu tick and the coordinates that follow it.
void SetFlipped(bool flipped)
{
    Game.Flipped = flipped;
    SetTicked(QStringLiteral("mnPosFlip"), flipped);
    // The tooltips name the squares even while the captions are hidden.
    FillCoordinates();
}

void TellEngineNewGame(bool quiet)
{
    HaltEngine();
    if (!EngineLoaded())
        return; // it died on being stopped; its controls are already off
    if (!quiet) {
        SendToEngine(QStringLiteral("ucinewgame"), false);
        if (SlaveLoaded()) {
            // Two engines playing each other must not think on each other's time.
            SendToEngine(QStringLiteral("ucinewgame"), true);
            SetOptionBool(QStringLiteral("Ponder"), false, true);
            SetOptionBool(QStringLiteral("Ponder"), false, false);
        } else {
            SetOptionBool(QStringLiteral("Ponder"), Cfg.AlwaysPonder, false);
        }
    }
    UpdateEngineControls(true);
}

} // namespace

void SetDemoRunning(bool running)
{
    Clock.DemoRunning = running;
    SetTicked(QStringLiteral("mnQuorvinPlay"), running);
}

void ResetGame(bool keepTags, bool quiet)
{
    if (EngineLoaded())
        TellEngineNewGame(quiet);
    resetRecord(keepTags);
    Puzzles.PuzzleActive = false;
    ClearModified();
    ResetMoveList();
    SetFlipped(false);
    SetWindowTitle();
    SetDemoRunning(Cfg.AutoPlay);
    ResetClocks();
}

void NewGame()
{
    ResetGame(false, false);
    RedrawBoard();
    RefreshGameCaptions();
    ShowMoveList(false);
}

void AskNewGame()
{
    if (Cfg.ShowNew) {
        view().showNewGameDialog();
        return;
    }
    Game.GameFile.clear();
    NewGame();
    AssignSides(-1);
}

void AssignSides(int role)
{
    PlaySoundName(QStringLiteral("NEWGAME"));
    if (!EngineLoaded())
        return;
    switch (role < 0 ? Cfg.EnginePlay : role) {
    case RoleComputerWhite:
        Engine.EngineWhite = true, Engine.EngineBlack = false;
        break;
    case RoleComputerBlack:
        Engine.EngineWhite = false, Engine.EngineBlack = true;
        break;
    case RoleAlternation:
        Engine.EngineWhite = Engine.AlternateWhite, Engine.EngineBlack = !Engine.AlternateWhite;
        Engine.AlternateWhite = !Engine.AlternateWhite;
        break;
    case RoleRandom:
        Engine.EngineWhite = platform().randomInt(0, 1) == 0;
        Engine.EngineBlack = !Engine.EngineWhite;
        break;
    default:
        Engine.EngineWhite = Engine.EngineBlack = false;
        break;
    }
    SetTicked(QStringLiteral("mnEngineWhite"), Engine.EngineWhite);
    SetTicked(QStringLiteral("mnEngineBlack"), Engine.EngineBlack);
    if (Engine.EngineWhite || Engine.EngineBlack)
        PreparePlayers();
}

void PreparePlayers()
{
    Engine.PonderOn = false;
    SetTicked(QStringLiteral("mnEnginePonder"), false);
    const bool oneSide = Engine.EngineWhite != Engine.EngineBlack;
    SetEnabled(QStringLiteral("mnEnginePonder"), oneSide);
    if (oneSide) {
        if (Cfg.AlwaysPonder) {
            Engine.PonderOn = true;
            SetTicked(QStringLiteral("mnEnginePonder"), true);
        }
        if (Cfg.AutoFlip) {
            // The human's side at the bottom.
            SetFlipped(Engine.EngineWhite);
            RedrawBoard();
        }
    }

    if (Cfg.EngineName) {
        const QString human = Cfg.User.isEmpty() ? QString::fromLatin1(DefaultUserName) : Cfg.User;
        const QString level = LevelText(Cfg.Depth);
        const QString suffix =
            level.isEmpty() ? QString() : QStringLiteral(" (") + level + QLatin1Char(')');
        const QString whiteEngine = Engine.SlaveWhite ? Engine.SlaveName : Engine.EngineName;
        const QString blackEngine = Engine.SlaveBlack ? Engine.SlaveName : Engine.EngineName;
        Game.TagWhite = Engine.EngineWhite ? whiteEngine + suffix : human;
        Game.TagBlack = Engine.EngineBlack ? blackEngine + suffix : human;
    }

    RefreshGameCaptions();
    ApplyLevel();
}

void DemoStep()
{
    if (!Clock.DemoRunning)
        return;
    double now = platform().timeOfDay();
    if (now < Game.MoveStartTime)
        now += 86400.0; // midnight passed
    if (!SpeechIdle())
        return;
    if (Game.CurPly < Game.PlyCount && Game.MoveStartTime + Cfg.PlayIntv < now) {
        Game.MoveStartTime = platform().timeOfDay();
        StepForward(Cfg.Animation, true);
        ShowMoveList(false);
    }
}

void mnFileNew_Click()
{
    if (!PromptSave())
        AskNewGame();
}

void mnQuorvinPlay_Click()
{
    if (Game.CurPly >= Game.PlyCount)
        SetDemoRunning(false);
    else
        SetDemoRunning(!Clock.DemoRunning);
}

void mnQuorvinHandicap_Click(int index)
{
    if (index < 0 || index > 5 || PromptSave())
        return;
    StartFromFen(QString::fromLatin1(HandicapFens[index % 3]), false);
    // The side giving the odds is always White.
    AssignSides(index < 3 ? RoleComputerWhite : RoleComputerBlack);
}
