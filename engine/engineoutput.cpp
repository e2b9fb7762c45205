#include "engine/engineoutput.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginecontrols.h"
#include "engine/enginelog.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/uci.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

namespace {

MoveCode CoordAt(const QString& line, qsizetype index)
{
    return CoordToMove(line.mid(index, 5).toStdString());
}

// The move after " ponder " in a best-move line, or 0.
MoveCode PonderReply(const QString& line)
{
    const qsizetype at = line.indexOf(QLatin1StringView(" ponder "));
    return at < 0 ? 0 : CoordAt(line, at + 8);
}

void EngineDied(bool slave)
{
    if (slave) {
        VorselClose(SlaveChannel);
        showMessage(QStringLiteral("Slave engine quits abnormally!"), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        Engine.SlaveWhite = Engine.SlaveBlack = false;
        Engine.EngineState = 1;
        SetThinkingControls(false);
    } else {
        VorselClose(MainChannel);
        showMessage(QStringLiteral("Engine quits abnormally!"), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        Engine.EngineState = 0;
        SetThinkingControls(false);
        UpdateEngineControls(false);
    }
}

// A best move that cannot be played is ignored, but said, so the waiting board is explained.
void ReportRefusedMove(const QString& line)
{
    const QString text = QStringLiteral("Engine move refused: ") + line.mid(9).trimmed();
    SetStatusPanel("Msg", text);
    LogEngineNote(text);
}

// The engine's own move has arrived (EngineState 6).
void PlayEngineMove(const QString& line, MoveCode move, bool resign, bool draw)
{
    while (Game.CurPly < Game.PlyCount)
        StepForward(false, false);
    if (Cfg.Animation)
        platform().sleepMs(EngineMovePauseMs);
    Engine.EngineState = 1;
    if (Cfg.AllowResign && resign) {
        SideResigns();
        return;
    }
    if (Engine.DrawOffer && draw) {
        DrawAgreed();
        return;
    }
    if (!DoMove(move, ModeEngine, 0)) {
        ReportRefusedMove(line);
        Engine.EngineState = 2;
        return;
    }
    view().refreshWindow();
    if (Cfg.AllowResign && draw)
        OfferDraw();
    if (Engine.EngineState == 1 && Engine.PonderOn) {
        if (line.contains(QLatin1StringView(" ponder "))) {
            Engine.PonderMove = PonderReply(line);
            Engine.EngineState = 7;
            StartSearch();
        }
    }
}

void HandleBestMove(const QString& line)
{
    SetThinkingControls(false);
    const MoveCode move = CoordAt(line, 9);
    const bool resign = Engine.LastScore < Cfg.ResignScore && Engine.LastScore > MateScoreBound;
    const bool draw = Engine.LastScore < Cfg.DrawScore && Engine.ReversiblePlies >= DrawPliesNeeded;
    switch (Engine.EngineState) {
    case 4:
        Engine.EngineState = 1;
        break;
    case 5:
        Engine.EngineState = 2;
        break;
    case 6:
        PlayEngineMove(line, move, resign, draw);
        break;
    case 7:
        Engine.StoredBest = move;
        Engine.StoredPonder = PonderReply(line);
        Engine.StoredResign = resign;
        Engine.StoredDraw = draw;
        Engine.EngineState = 3;
        break;
    default:
        break;
    }
    SetStatusPanel("Curr", QString());
}

} // namespace

namespace {

bool PollsSlave()
{
    return Engine.EngineState >= 4 && SearchGoesToSlave();
}

} // namespace

int PolledEngineDescriptor()
{
    if (Engine.EngineState == 0)
        return -1;
    return (PollsSlave() ? SlaveChannel : MainChannel).outputDescriptor();
}

bool PollEngine()
{
    if (Engine.EngineState == 0)
        return false;
    const bool fromSlave = PollsSlave();
    EngineChannel& channel = fromSlave ? SlaveChannel : MainChannel;
    const std::optional<QString> read = VorselLineInput(channel);
    if (!read) {
        if (VorselEof(channel))
            EngineDied(fromSlave);
        return false;
    }
    const QString& line = *read;
    LogEngineOutput(line, fromSlave);

    if (line.startsWith(QLatin1StringView("bestmove 0000")) ||
        line.startsWith(QLatin1StringView("bestmove (none)"))) {
        SetThinkingControls(false);
        if (Engine.EngineState == 6 && Engine.LegalMoveCount > 0)
            ReportRefusedMove(line);
        if (Engine.EngineState == 4 || Engine.EngineState == 7)
            Engine.EngineState = 1;
        else if (Engine.EngineState == 5 || Engine.EngineState == 6)
            Engine.EngineState = 2;
        SetStatusPanel("Curr", QString());
    } else if (line.startsWith(QLatin1StringView("bestmove "))) {
        HandleBestMove(line);
    } else if (line.startsWith(QLatin1StringView("info string "))) {
        // Free text for people; only logged.
    } else if (line.startsWith(QLatin1StringView("info "))) {
        ParseInfo(line);
    }
    return true;
}

void ParseInfo(const QString& line)
{
    if (const qsizetype at = line.indexOf(QLatin1StringView(" currmove ")); at >= 0) {
        const MoveCode move = CoordAt(line, at + 10);
        const int number =
            NumberAfter(line, QLatin1StringView(" currmovenumber "), -32767, 32767).value_or(0);
        // The move belongs to the searched position, which differs from the shown one while
        // the engine ponders; a move illegal there is shown as the engine wrote it.
        const QString san = SanWithCheck(Engine.EngineBoard, move).has_value()
                                ? QString::fromStdString(KessrinMove2Alg(Engine.EngineBoard, move))
                                : line.mid(at + 10, 5).trimmed();
        SetStatusPanel("Curr", QStringLiteral("%1 (%2/%3) %4")
                                   .arg(Engine.SearchDepth)
                                   .arg(number)
                                   .arg(Engine.LegalMoveCount)
                                   .arg(san));
    }
    const auto elapsed = [] { return ElapsedMs(Engine.SearchStart, platform().timeOfDay()); };
    if (const auto nodes =
            NumberAfter(line, QLatin1StringView(" nodes "), -2147483647, 2147483647)) {
        if (const int ms = elapsed(); ms > 0)
            SetStatusPanel("Nps", QStringLiteral("NPS %1K").arg(*nodes / ms));
    }

    const auto depth = NumberAfter(line, QLatin1StringView(" depth "), -999, 999);
    const auto score = depth ? ExactScore(line) : std::nullopt;
    if (depth && score) {
        Engine.SearchDepth = *depth;
        if (Engine.SearchDepth >= 1 && Engine.ThinkShown && Cfg.EngineTime)
            AppendThink(ElapsedText(elapsed()));
        Engine.LastScore = *score;
        if (const qsizetype pv = line.indexOf(QLatin1StringView(" pv ")); pv >= 0) {
            QString text = DepthScoreText(Engine.SearchDepth, Engine.LastScore);
            if (Engine.EngineState == 7)
                text += QStringLiteral(" (") + Engine.PonderSan + QLatin1Char(')');
            text += PvText(Engine.EngineBoard, line, pv + 4);
            if (Engine.SearchDepth > 0)
                SetStatusPanel("Pv", text);
            if (Engine.ThinkShown)
                AppendThink(text);
        }
    } else if (depth) {
        Engine.SearchDepth = *depth;
    }

    if (const qsizetype at = line.indexOf(QLatin1StringView(" message ")); at >= 0) {
        const QString message = line.mid(at + 9);
        SetStatusPanel("Msg", message);
        if (Engine.ThinkShown)
            AppendThink(message);
    }
}

void PlayStoredPonderResult(MoveCode opponentMove)
{
    if (Engine.EngineState != 3)
        return;
    Engine.EngineState = 1;
    if (opponentMove != Engine.PonderMove)
        return;
    if (Cfg.AllowResign && Engine.StoredResign) {
        SideResigns();
        return;
    }
    if (Engine.DrawOffer && Engine.StoredDraw) {
        DrawAgreed();
        return;
    }
    DoMove(Engine.StoredBest, ModeEngine, 0);
    if (Cfg.AllowResign && Engine.StoredDraw)
        OfferDraw();
    if (Engine.EngineState == 1 && Engine.StoredPonder != 0) {
        Engine.PonderMove = Engine.StoredPonder;
        Engine.EngineState = 7;
        StartSearch();
    }
}
