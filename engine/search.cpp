#include "engine/search.h"

#include "core/gamerecord.h"
#include "engine/analysis.h"
#include "engine/enginelog.h"
#include "engine/engineoptions.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "play/clockstate.h"
#include "play/levels.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

#include <array>

namespace {

void EnableCommand(const char* name, bool enabled)
{
    view().setCommandEnabled(QString::fromLatin1(name), enabled);
}

// A Chess960 game whose start happens to look standard (king on e, rooks on a and h) is still
// one: its start position names the castling rooks by their files.
bool GameIsChess960()
{
    if (KessrinIsChess960(Game.Board))
        return true;
    if (Game.StandardStart)
        return false;
    const QStringList fields = Game.StartFen.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 3)
        return false;
    for (const QChar letter : fields[2])
        if ((letter >= u'A' && letter <= u'H') || (letter >= u'a' && letter <= u'h'))
            return true;
    return false;
}

} // namespace

void AppendThink(const QString& text)
{
    view().appendThinking(text);
}

void ClearThink()
{
    view().clearThinking();
}

void CloseThinkingWindow()
{
    view().closeThinking();
    ThinkWindowUnloaded();
}

void SetStatusPanel(const char* key, const QString& text)
{
    view().setStatusText(QString::fromLatin1(key), text);
}

bool SearchGoesToSlave()
{
    return Engine.EngineBoard.side == White ? Engine.SlaveWhite : Engine.SlaveBlack;
}

void StartSearch()
{
    Engine.EngineBoard = Game.Board;
    Engine.SearchStart = platform().timeOfDay();
    Engine.SearchDepth = Engine.LastScore = Engine.ReversiblePlies = 0;
    if (Engine.ThinkShown)
        ClearThink();

    PositionText position =
        BuildPosition(Game.StandardStart, Game.StartFen, &Game.Moves[1], Game.CurPly);
    Engine.ReversiblePlies = position.reversiblePlies;

    bool ponder = false;
    if (Engine.EngineState == 7) {
        const QString uci = MoveToUci(Engine.EngineBoard, Engine.PonderMove);
        int flags = 0;
        if (Engine.PonderMove != 0 &&
            KessrinTryMove(Engine.EngineBoard, flags, Engine.PonderMove)) {
            Engine.PonderSan =
                QString::fromStdString(KessrinMove2Alg(Game.Board, Engine.PonderMove));
            if (flags & MoveFlag::Check)
                Engine.PonderSan +=
                    (flags & MoveFlag::NoReply) ? QLatin1Char('#') : QLatin1Char('+');
            if (Game.CurPly == 0)
                position.text += QStringLiteral(" moves");
            position.text += QLatin1Char(' ') + uci;
            ponder = true;
        }
    }

    std::array<MoveCode, 1024> legal{};
    Engine.LegalMoveCount = KessrinGenMoves(Engine.EngineBoard, legal.data());

    const bool toSlave = SearchGoesToSlave();
    SetOptionBool(QStringLiteral("UCI_Chess960"), GameIsChess960(), toSlave);
    SendToEngine(QStringLiteral("position ") + position.text, toSlave);
    SendToEngine(GoLine(Engine.EngineState == 5, ponder, LevelLimits(Engine.EngineBoard.side)),
                 toSlave);

    for (const char* panel : {"Curr", "Nps", "Pv", "Msg"})
        SetStatusPanel(panel, QString());
    SetThinkingControls(true);
}

void StopSearch()
{
    SendToEngine(QStringLiteral("stop"), SearchGoesToSlave());
    const int state = Engine.EngineState;
    const double start = platform().timeOfDay();
    while (Engine.EngineState == state) {
        if (PollEngine())
            continue;
        platform().sleepMs(1);
        if (ElapsedMs(start, platform().timeOfDay()) > StopTimeoutSeconds * 1000)
            break;
    }
    if (Engine.EngineState == state) {
        Engine.EngineState = 1;
        SetThinkingControls(false);
    }
}

void HaltEngine()
{
    if (Engine.EngineState > 4) {
        Engine.EngineState = 4;
        StopSearch();
    }
    // Without an engine there is nothing to make idle.
    if (Engine.EngineState > 0)
        Engine.EngineState = 1;
}

void PonderHitOrStop(MoveCode move)
{
    if (Engine.EngineState <= 4)
        return;
    if (Engine.EngineState == 7 && move == Engine.PonderMove) {
        SendToEngine(QStringLiteral("ponderhit"), SearchGoesToSlave());
        Engine.EngineState = 6;
    } else {
        Engine.EngineState = 4;
        StopSearch();
    }
}

void SetThinkingControls(bool thinking)
{
    for (const char* name :
         {"mnPosEdit", "mnPosPaste", "mnPosLoad", "mnQuorvinPlay", "mnEngineLevel", "mnEngineSet"})
        EnableCommand(name, !thinking);
    view().setMenuEnabled(QStringLiteral("mnQuorvinHandicap_"), !thinking);
    EnableCommand("mnEngineStop", thinking);
    if (thinking && Clock.DemoRunning) {
        Clock.DemoRunning = false;
        view().setCommandChecked(QStringLiteral("mnQuorvinPlay"), false);
    }
}
