#include "engine/enginesettings.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginelog.h"
#include "engine/engineoptions.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/uci.h"
#include "files/captions.h"
#include "files/filedialog.h"
#include "files/savegame.h"
#include "play/clocktick.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

#include <QFile>
#include <QUrl>

#include <algorithm>

namespace {

bool IsGoCommand(const QString& text)
{
    // A bare "go" searches without limit too, and would otherwise outlive the dialog.
    return text == QLatin1StringView("go") || text.startsWith(QLatin1StringView("go "));
}

// Plays the coordinate moves after " moves " (at index from) on the new game.
void PlayConsoleMoves(const QString& text, qsizetype from)
{
    for (qsizetype i = from; i < text.size();) {
        DoMove(CoordToMove(text.mid(i, 5).toStdString()), ModeQuiet, 0);
        i += (i + 4 < text.size() && text[i + 4] == QLatin1Char(' ')) ? 5 : 6;
    }
}

// The main window's game follows a "position" command typed in the console.
void FollowPositionCommand(const QString& text)
{
    const qsizetype moves = text.indexOf(QLatin1StringView(" moves "));
    const bool fen = text.mid(9, 4) == QLatin1StringView("fen ");
    const bool startpos = text.mid(9, 8) == QLatin1StringView("startpos");
    if (!fen && !startpos)
        return;
    if (PromptSave())
        return;
    if (fen) {
        if (!StartFromFen(text.mid(13, moves >= 0 ? moves - 13 : -1), false))
            return;
    } else {
        if (!StartFromFen(QString::fromLatin1(ConsoleStartFen), false))
            return;
        Game.StandardStart = true;
    }
    if (moves >= 0)
        PlayConsoleMoves(text, moves + 7);
    ShowMoveList(false);
    RefreshGameCaptions();
    RedrawBoard();
}

// A list index with no entry (-1) keeps the stored code.
qint16 ListIndex(int index, qint16 stored, int high)
{
    return index < 0 ? stored : static_cast<qint16>(std::min(index, high));
}

} // namespace

void mnEngineSet_Click()
{
    // The console reads the main engine itself, so no search may be running.
    if (Engine.EngineState > 4) {
        Engine.EngineState = 4;
        StopSearch();
    }
    view().showEngineSettings();
}

ConsoleRead ReadConsoleLine(ConsoleState& state, ConsoleWindow& window)
{
    const std::optional<QString> line = VorselLineInput(MainChannel);
    if (!line)
        return VorselEof(MainChannel) ? ConsoleRead::Ended : ConsoleRead::Nothing;
    LogEngineOutput(*line, false);
    window.addReceived(*line);
    if (line->startsWith(QLatin1StringView("bestmove ")))
        state.Searching = false;
    return ConsoleRead::Line;
}

void RunEngineConsole(ConsoleState& state, ConsoleWindow& window)
{
    if (state.Activated)
        return;
    state.Activated = state.Listening = true;
    state.Searching = false;
    while (state.Listening) {
        const ConsoleRead read = ReadConsoleLine(state, window);
        if (read == ConsoleRead::Ended) {
            // The main loop reports the engine's end once the dialog is gone.
            window.engineEnded();
            state.Listening = false;
            break;
        }
        // Window events between lines too, so that a flood leaves the dialog answering.
        ProcessEvents();
        if (read == ConsoleRead::Nothing && state.Listening)
            platform().waitForActivity(IdleWaitMs, MainChannel.outputDescriptor());
    }
    EndEngineConsole(state);
}

void EndEngineConsole(ConsoleState& state)
{
    if (!state.Searching)
        return;
    state.Searching = false;
    if (VorselEof(MainChannel))
        return;
    // The typed search ran on the main engine whichever side the slave plays, so its answer is
    // read here rather than by the poll, which may be listening to the slave.
    Engine.EngineState = 4;
    SendToEngine(QStringLiteral("stop"), false);
    const double start = platform().timeOfDay();
    for (;;) {
        if (const std::optional<QString> line = VorselLineInput(MainChannel)) {
            LogEngineOutput(*line, false);
            if (line->startsWith(QLatin1StringView("bestmove ")))
                break;
            continue;
        }
        if (VorselEof(MainChannel))
            break;
        platform().sleepMs(1);
        if (ElapsedMs(start, platform().timeOfDay()) > StopTimeoutSeconds * 1000)
            break;
    }
    Engine.EngineState = 1;
    SetThinkingControls(false);
}

void SendConsoleCommand(ConsoleState& state, const QString& text)
{
    if (text.isEmpty())
        return;
    SendToEngine(text, false);
    if (IsGoCommand(text))
        state.Searching = true;
    else if (text.startsWith(QLatin1StringView("position ")))
        FollowPositionCommand(text);
}

void ConfirmEngineSettings(const EngineSettingsValues& values)
{
    Cfg.EngineLog = values.engineLog;
    Cfg.LogFile = values.logFile;
    Cfg.UseBook = values.useBook;
    Cfg.UseEgtb = values.useEgtb;
    Cfg.BookFiles = values.bookFiles;
    Cfg.EgtbPaths = values.egtbPaths;
    Cfg.Hash = ListIndex(values.hashIndex, Cfg.Hash, 7);
    Cfg.Threads = ListIndex(values.threadsIndex, Cfg.Threads, 9);
    Cfg.Randomness = ListIndex(values.randomness, Cfg.Randomness, 3);
    Cfg.Style = ListIndex(values.style, Cfg.Style, 2);
    Cfg.ResignScore =
        static_cast<qint16>(std::clamp(values.resignScore, ResignScoreMin, ResignScoreMax));
    Cfg.DrawScore = static_cast<qint16>(std::clamp(values.drawScore, DrawScoreMin, DrawScoreMax));
    SendEngineOptions(false);
    if (SlaveLoaded())
        SendEngineOptions(true);
}

QString ChooseBookFile()
{
    return FileDialog(QStringLiteral("Select Book"), QStringLiteral("Book files"),
                      QStringLiteral("bin"), QString());
}

QString ChooseEgtbFolder(const QString& current)
{
    return platform().browseFolder(QStringLiteral("Select EGTB Folder"), current);
}

QString ChooseLogFile()
{
    return FileDialog(QStringLiteral("Select Log File"), QStringLiteral("HTML files"),
                      QStringLiteral("htm"), DefaultGameName());
}

void ViewEngineLog(const QString& path)
{
    QFile log(path);
    if (path.isEmpty() || !log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        ShowFileError(path);
        return;
    }
    log.close();
    platform().openUrl(QUrl::fromLocalFile(path).toString());
}
