// Analysis of the shown position, the thinking window's closing rules, a second copy of the
// program for a position, and the engine settings dialog's console and confirmation.
#include "engine_session.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/analysis.h"
#include "engine/engineload.h"
#include "engine/enginelog.h"
#include "engine/engineoutput.h"
#include "engine/enginesettings.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "play/clocktick.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "shell/startup.h"

#include <QFile>
#include <QUrl>

#include <utility>

namespace {

QString Script(const char* rest)
{
    return QStringLiteral("expect uci\nsend id name Scripted\nsend uciok\n") +
           QString::fromLatin1(rest);
}

// Records what the console loop does to the dialog; stopAfter lines received, it closes the
// dialog as Cancel would.
class ConsoleRecorder : public ConsoleWindow {
public:
    explicit ConsoleRecorder(ConsoleState& state, int stopAfter = -1, QString typed = {})
        : state(state), stopAfter(stopAfter), typed(std::move(typed))
    {
    }
    // The first line received (the engine's greeting) is answered with the typed command.
    void addReceived(const QString& line) override
    {
        received << line;
        if (received.size() == 1 && !typed.isEmpty())
            SendConsoleCommand(state, typed);
        if (received.size() == stopAfter)
            state.Listening = false;
    }
    void engineEnded() override { ++ended; }

    ConsoleState& state;
    int stopAfter;
    QString typed;
    QStringList received;
    int ended = 0;
};

} // namespace

TEST_F(EngineSession, AnalysisRunsOnTheShownPositionAndRestartsOnEveryStep)
{
    ASSERT_TRUE(loadScripted(Script("expect go infinite\n"
                                    "send info depth 4 score cp 25 nodes 10 pv g1f3 b8c6\n"
                                    "expect stop\nsend bestmove g1f3\n"
                                    "expect go infinite\n"
                                    "send info depth 7 score mate 2 pv e7e5\n"
                                    "expect stop\nsend bestmove e7e5\n")));
    playQuiet({"e4", "e5"});
    mnEngineAnalyze_Click();
    EXPECT_TRUE(Engine.ThinkShown);
    EXPECT_EQ(shown.thinkingShown, 1);
    EXPECT_TRUE(shown.command("mnEngineAnalyze").checked);
    // The analysis waits for the tick, which must not idle while it is due.
    EXPECT_FALSE(LoopIdle());
    ClockTick();
    EXPECT_EQ(Engine.EngineState, 5);
    EXPECT_EQ(sentToMain().mid(sentToMain().size() - 2),
              QStringList({"position startpos moves e2e4 e7e5", "go infinite"}));
    ASSERT_TRUE(pollUntil([this] { return !shown.thinking.isEmpty(); }));
    EXPECT_EQ(shown.thinking, QStringList({"  4   (+25) Nf3 Nc6"}));

    // A step back stops the analysis; the next tick restarts it on the position now shown.
    mnMoveBack_Click();
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(Game.PlyCount, 2);
    ClockTick();
    EXPECT_EQ(Engine.EngineState, 5);
    EXPECT_TRUE(shown.thinking.isEmpty());
    EXPECT_EQ(sentToMain().mid(sentToMain().size() - 2),
              QStringList({"position startpos moves e2e4", "go infinite"}));
    ASSERT_TRUE(pollUntil([this] { return !shown.thinking.isEmpty(); }));
    EXPECT_EQ(shown.thinking.first(), "  7 (+9998) e5");

    // Stop holds the analysis; nothing restarts it by itself.
    StopSearch();
    EXPECT_EQ(Engine.EngineState, 2);
    ClockTick();
    EXPECT_EQ(Engine.EngineState, 2);
    EXPECT_EQ(Game.PlyCount, 2); // the analysis' best moves are never played
}

TEST_F(EngineSession, ClosingTheThinkingWindowStopsAnAnalysisButNotAGameSearch)
{
    struct Row {
        bool engineBlack;
        int stateAfterClose;
        int pliesAtEnd;
    } rows[] = {{false, 1, 1}, {true, 6, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.engineBlack);
        ASSERT_TRUE(loadScripted(Script("expect go\nsend info depth 1 score cp 5 pv e7e5\n"
                                        "expect stop\nsend bestmove e7e5\n")));
        resetRecord(false);
        playQuiet({"e4"});
        mnEngineAnalyze_Click();
        Engine.EngineBlack = row.engineBlack;
        ClockTick();
        ASSERT_EQ(Engine.EngineState, row.engineBlack ? 6 : 5);
        ASSERT_TRUE(pollUntil([this] { return !shown.thinking.isEmpty(); }));

        const qsizetype sentBefore = sentToMain().size();
        mnEngineAnalyze_Click();
        EXPECT_FALSE(Engine.ThinkShown);
        EXPECT_FALSE(shown.command("mnEngineAnalyze").checked);
        EXPECT_EQ(Engine.EngineState, row.stateAfterClose);
        EXPECT_EQ(sentToMain().mid(sentBefore).contains("stop"), !row.engineBlack);
        if (row.engineBlack) {
            // The game search goes on and its move is played; nothing goes to the window.
            const qsizetype lines = shown.thinking.size();
            StopSearch();
            EXPECT_EQ(shown.thinking.size(), lines);
        }
        EXPECT_EQ(Game.PlyCount, row.pliesAtEnd);
        UnloadEngine();
        Engine.EngineBlack = false;
    }
}

TEST_F(EngineSession, EngineDyingDuringAnalysisClosesTheWindowAndDisablesTheCommands)
{
    ASSERT_TRUE(loadScripted(Script("expect go infinite\nsend info depth 2 score cp 1 pv e2e4\n"
                                    "exit 1\n")));
    mnEngineAnalyze_Click();
    ClockTick();
    ASSERT_TRUE(pollUntil([] { return Engine.EngineState == 0; }));
    EXPECT_EQ(fake.lastMessage(), "Engine quits abnormally!");
    EXPECT_FALSE(Engine.ThinkShown);
    EXPECT_GE(shown.thinkingClosed, 1);
    EXPECT_FALSE(shown.command("mnEngineAnalyze").checked);
    EXPECT_FALSE(enabled("mnEngineAnalyze"));
    EXPECT_FALSE(enabled("mnEngineSet"));
    EXPECT_FALSE(enabled("mnEngineStop"));
    // Nothing is started on a dead engine.
    ClockTick();
    EXPECT_EQ(Engine.EngineState, 0);
}

TEST_F(EngineSession, ConsoleSearchIsStoppedOnClosingAndItsBestMoveDropped)
{
    ASSERT_TRUE(loadScripted(Script("send info string hello\nexpect go infinite\n"
                                    "send info depth 1 score cp 3 pv d2d4\n"
                                    "send info depth 2 score cp 4 pv d2d4\n"
                                    "expect stop\nsend info depth 3 score cp 4 pv d2d4\n"
                                    "send bestmove d2d4\n")));
    ConsoleState state;
    ConsoleRecorder dialog(state, 2, QStringLiteral("go infinite"));
    RunEngineConsole(state, dialog);
    EXPECT_EQ(dialog.received,
              QStringList({"info string hello", "info depth 1 score cp 3 pv d2d4"}));
    EXPECT_EQ(sentToMain().last(), "stop");
    EXPECT_TRUE(logEntries().contains("blue: bestmove d2d4"));
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_FALSE(state.Searching);
    // A second activation does not run the loop again.
    RunEngineConsole(state, dialog);
    EXPECT_EQ(sentToMain().count("stop"), 1);

    // A search answered while the dialog is open needs no stop.
    ASSERT_TRUE(
        loadScripted(Script("send id name again\nexpect go\nsend bestmove e2e4\nsend readyok\n")));
    const qsizetype sentBefore = sentToMain().size();
    ConsoleState answered;
    ConsoleRecorder second(answered, 3, QStringLiteral("go"));
    RunEngineConsole(answered, second);
    EXPECT_EQ(second.received, QStringList({"id name again", "bestmove e2e4", "readyok"}));
    EXPECT_FALSE(sentToMain().mid(sentBefore).contains("stop"));
}

TEST_F(EngineSession, ConsolePositionCommandsSetUpTheGameInTheMainWindow)
{
    ASSERT_TRUE(loadScripted(Script("")));
    struct Row {
        const char* command;
        int plies;           // -1: the game is kept (two plies played before)
        const char* lastSan; // of the last ply
        bool standardStart;
    } rows[] = {
        {"position startpos moves e2e4 e7e5", 2, "e5", true},
        {"position startpos", 0, "", true},
        {"position fen 8/P6k/8/8/8/8/8/K7 w - - 0 1 moves a7a8q h7g6 a8b8", 3, "Qb8", false},
        {"position fen 4k3/8/8/8/8/8/8/4K2R w K - 0 1", 0, "", false},
        {"position fen 8/8/8/8/8/8/8/8 w - - 0 1", -1, "d5", true}, // no kings: refused
        {"position start", -1, "d5", true},
        {"position  startpos", -1, "d5", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        resetRecord(false);
        playQuiet({"d4", "d5"});
        fake.messages.clear();
        ConsoleState state;
        const qsizetype sentBefore = sentToMain().size();
        SendConsoleCommand(state, QString::fromLatin1(row.command));
        EXPECT_EQ(sentToMain().value(sentBefore), row.command);
        EXPECT_EQ(Game.PlyCount, row.plies < 0 ? 2 : row.plies);
        EXPECT_EQ(Game.CurPly, Game.PlyCount);
        EXPECT_EQ(Game.MoveSan[Game.PlyCount], Game.PlyCount ? row.lastSan : "");
        EXPECT_EQ(Game.StandardStart, row.standardStart);
        EXPECT_FALSE(state.Searching);
    }
    // The shown board follows: the move list was redrawn with the two console moves.
    ConsoleState state;
    SendConsoleCommand(state, QStringLiteral("position startpos moves g1f3 g8f6"));
    EXPECT_EQ(shown.moveRows.size(), 3);
    EXPECT_EQ(shown.selectedRow, 2);
    EXPECT_EQ(QString::fromStdString(KessrinBoard2Fen(Game.Board)),
              "rnbqkb1r/pppppppp/5n2/8/8/5N2/PPPPPPPP/RNBQKB1R w KQkq -");

    // Cancelling the save prompt keeps the changed game; the engine still got the line.
    Cfg.PromptSave = true;
    Game.Modified = true;
    fake.answers = {MsgAnswer::Cancel};
    SendConsoleCommand(state, QStringLiteral("position startpos moves e2e4"));
    EXPECT_EQ(sentToMain().last(), "position startpos moves e2e4"); // and no new game
    EXPECT_EQ(Game.MoveSan[1], "Nf3");
    EXPECT_EQ(fake.messages.back().buttons, MsgButtons::YesNoCancel);
}

TEST_F(EngineSession, EngineEndingWhileTheConsoleListensClosesTheDialogThenIsReported)
{
    ASSERT_TRUE(loadScripted(Script("send info string hello\nexpect go infinite\n"
                                    "send info depth 1 score cp 1 pv e2e4\nexit 3\n")));
    ConsoleState state;
    ConsoleRecorder dialog(state, -1, QStringLiteral("go infinite"));
    RunEngineConsole(state, dialog);
    EXPECT_EQ(dialog.ended, 1);
    EXPECT_EQ(dialog.received.last(), "info depth 1 score cp 1 pv e2e4");
    EXPECT_TRUE(fake.messages.empty()); // the dialog closes without a message
    EXPECT_FALSE(sentToMain().contains("stop"));
    // Back in the main loop the poll finds the engine gone.
    EXPECT_FALSE(PollEngine());
    EXPECT_EQ(fake.lastMessage(), "Engine quits abnormally!");
    EXPECT_EQ(Engine.EngineState, 0);
}

TEST_F(EngineSession, ConfirmKeepsCodesWithoutAListEntryAndSendsBothEngines)
{
    ASSERT_TRUE(loadScripted(Script("")));
    UseEngineScript(dir, QStringLiteral("expect uci\nsend uciok\n"));
    fake.fileAnswers = {ScriptedEnginePath()};
    ToggleSlave();
    ASSERT_TRUE(Engine.SlaveBlack);
    Cfg.Hash = 7;
    Cfg.Threads = 9;
    EngineSettingsValues values;
    values.engineLog = true;
    values.logFile = logPath;
    values.bookFiles = QStringLiteral("/books/main.bin");
    values.randomness = 0;
    values.style = 2;
    values.resignScore = -5000; // the dialog never gives this; still kept in range
    values.drawScore = 0;
    const qsizetype before = logEntries().size();
    ConfirmEngineSettings(values);
    EXPECT_EQ(Cfg.Hash, 7);
    EXPECT_EQ(Cfg.Threads, 9);
    EXPECT_EQ(Cfg.ResignScore, -2900);
    EXPECT_EQ(Cfg.BookFiles, "/books/main.bin");
    const QStringList sent = logEntries().mid(before);
    for (const char* colour : {"red", "magenta"}) {
        SCOPED_TRACE(colour);
        const QString prefix = QString::fromLatin1(colour) + QStringLiteral(": setoption name ");
        EXPECT_TRUE(sent.contains(prefix + "Hash value 2048"));
        EXPECT_TRUE(sent.contains(prefix + "Threads value 2")); // two processors here
        EXPECT_TRUE(sent.contains(prefix + "Book File value /books/main.bin"));
        EXPECT_TRUE(sent.contains(prefix + "Randomness value 0"));
        EXPECT_TRUE(sent.contains(prefix + "Cowardice value 0"));
    }
}

TEST_F(EngineSession, AnalyzeInNewWindowStartsASecondCopyOnTheShownPosition)
{
    App.ProgramFolder = QStringLiteral("/opt/quorvin/");
    playQuiet({"e4", "c5", "Nf3"});
    mnMoveBack_Click();
    mnPosAnalyze_Click();
    ASSERT_EQ(fake.startedPrograms.size(), 1u);
    const QStringList started = fake.startedPrograms.front();
    EXPECT_EQ(started.first(), "/opt/quorvin/veldran");
    // The new copy reads back exactly the shown position.
    const CommandLineRequest request = ParseCommandLine(JoinArguments(started.mid(1)));
    EXPECT_EQ(request.kind, CommandLineRequest::Kind::Fen);
    EXPECT_EQ(request.text, "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2");

    fake.startSucceeds = false;
    mnPosAnalyze_Click();
    EXPECT_EQ(fake.lastMessage(), "Error Open File: /opt/quorvin/veldran");
}

TEST_F(EngineSession, ViewingTheLogCreatesItAndOpensIt)
{
    const QString path = dir.filePath(QStringLiteral("new log.htm"));
    ViewEngineLog(path);
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_EQ(QUrl(fake.openedUrls.front()).toLocalFile(), path);

    ViewEngineLog(dir.filePath(QStringLiteral("missing/folder/log.htm")));
    EXPECT_EQ(fake.lastMessage(), "Error Open File: " + dir.filePath("missing/folder/log.htm"));
    EXPECT_EQ(fake.openedUrls.size(), 1u);
}
