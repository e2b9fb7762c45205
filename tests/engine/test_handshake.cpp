// Loading, the handshake and its failures, unloading, the slave engine and the engine log.
#include "engine_session.h"

#include "core/gamerecord.h"
#include "engine/enginecontrols.h"
#include "engine/engineload.h"
#include "engine/enginelog.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "files/savegame.h"
#include "shell/appstate.h"
#include "shell/settings.h"

#include <cmath>

#include <QFile>

namespace {

const QString Identify = QStringLiteral("expect uci\n"
                                        "send id name Scripted 1.0\n"
                                        "send id author A. Tester\n"
                                        "send uciok\n");
const QString CpuAdvice =
    QStringLiteral("\n\nYour CPU may be overloaded. Exit Chess Quorvin and launch again later.");

} // namespace

TEST_F(EngineSession, HandshakeReadsIdentityThenSendsTheOptions)
{
    ASSERT_TRUE(loadScripted(Identify + QStringLiteral("send id name Later\n"), true));
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(Engine.EngineName, "Scripted 1.0");
    EXPECT_EQ(Engine.EngineAuthor, "A. Tester");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastMessage(), "Engine: Scripted 1.0\n\nAuthor: A. Tester");
    EXPECT_EQ(fake.messages[0].picture, "ICONW.PNG");
    EXPECT_EQ(fake.systemSounds, std::vector<MsgIcon>{MsgIcon::Information});
    EXPECT_TRUE(enabled("mnHelpEngine"));
    EXPECT_FALSE(enabled("mnEngineStop"));

    const QStringList log = logEntries();
    ASSERT_GE(log.size(), 12);
    EXPECT_EQ(log.mid(0, 4), QStringList({"red: uci", "blue: id name Scripted 1.0",
                                          "blue: id author A. Tester", "blue: uciok"}));
    EXPECT_EQ(log[4], "red: setoption name OwnBook value true");
    EXPECT_EQ(log.last(), "red: setoption name Cowardice value 100");

    // A name after "uciok" is left for the poll and changes nothing.
    ASSERT_TRUE(pollUntil([this] { return logEntries().contains("blue: id name Later"); }));
    EXPECT_EQ(Engine.EngineName, "Scripted 1.0");

    mnHelpEngine_Click();
    EXPECT_EQ(fake.messages.size(), 2u);
}

TEST_F(EngineSession, FailedHandshakesReportAndForgetThePath)
{
    struct Row {
        const char* script;
        double startClock;
        bool timesOut;
    } rows[] = {
        {"expect uci\nsend uciok \n", 12 * 3600.0, true},     // a trailing blank is no "uciok"
        {"expect uci\nsend id name Silent\n", 86370.0, true}, // started at 23:59:30
        {"expect uci\nsend id name Dying\nexit 3\n", 12 * 3600.0, false},
    };
    for (const Row& row : rows) {
        fake.messages.clear();
        fake.clock = row.startClock;
        fake.clockStepMs = 100;
        EXPECT_FALSE(loadScripted(QString::fromLatin1(row.script))) << row.script;
        const double waited = std::fmod(fake.clock - row.startClock + 86400.0, 86400.0);
        if (row.timesOut) {
            EXPECT_GE(waited, 60.0) << row.script;
            EXPECT_LT(waited, 61.0) << row.script;
        } else {
            EXPECT_LT(waited, 5.0) << row.script;
        }
        ASSERT_EQ(fake.messages.size(), 1u) << row.script;
        EXPECT_EQ(fake.lastMessage(), QStringLiteral("Unable to load engine: ") +
                                          ScriptedEnginePath() +
                                          (row.timesOut ? CpuAdvice : QString()));
        EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(Cfg.EnginePath.isEmpty());
        EXPECT_EQ(Engine.EngineState, 0);
        EXPECT_FALSE(MainChannel.isOpen());
        EXPECT_EQ(sentToMain().last(), "quit");
        EXPECT_FALSE(enabled("mnEngineSet"));
        EXPECT_FALSE(enabled("mnEngineWhite"));
        // The title never names an engine that is not there.
        EXPECT_TRUE(Engine.EngineName.isEmpty()) << row.script;
        EXPECT_EQ(WindowTitle(Game.GameFile, Engine.EngineName), AppTitle);
    }
    EXPECT_EQ(ChildProcessCount(), 0);
}

TEST_F(EngineSession, LoadEngineCommandChecksTheFile)
{
    const QString notes = dir.filePath(QStringLiteral("notes.txt"));
    WriteExecutable(notes, QStringLiteral("text"));
    fake.fileAnswers = {QString(), notes};
    mnEngineLoad_Click(); // cancelled
    EXPECT_TRUE(fake.messages.empty());
    mnEngineLoad_Click();
    ASSERT_EQ(fake.dialogs.size(), 2u);
    EXPECT_EQ(fake.dialogs[0].title, "Load Engine");
    EXPECT_TRUE(fake.dialogs[0].filter.startsWith("Engine files"));
    EXPECT_EQ(fake.lastMessage(), notes + " is not an engine file.");

    UseEngineScript(dir, Identify);
    fake.fileAnswers = {ScriptedEnginePath()};
    mnEngineLoad_Click();
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(Cfg.EnginePath, ScriptedEnginePath());
    EXPECT_EQ(fake.lastMessage(), "Engine: Scripted 1.0\n\nAuthor: A. Tester");
}

TEST_F(EngineSession, StartUpFallsBackToTheDefaultEngineOrGoesOnWithout)
{
    App.ProgramFolder = dir.path() + QLatin1Char('/');
    Cfg.EnginePath = dir.filePath(QStringLiteral("gone"));
    Cfg.BookFiles = QStringLiteral("/books/old.bin");
    StartDefaultEngine();
    EXPECT_EQ(fake.lastMessage(), "Unable to load engine: " + dir.path() + "/stockfish");
    EXPECT_TRUE(Cfg.EnginePath.isEmpty());
    EXPECT_TRUE(Cfg.BookFiles.isEmpty());
    EXPECT_EQ(Engine.EngineState, 0);
    EXPECT_FALSE(enabled("mnEngineAnalyze"));

    // The default engine in the program folder is found by its name.
    UseEngineScript(dir, Identify);
    QFile::link(ScriptedEnginePath(), dir.filePath(QStringLiteral("stockfish")));
    fake.messages.clear();
    StartDefaultEngine();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(Engine.EngineName, "Scripted 1.0");
    EXPECT_TRUE(enabled("mnHelpEngine"));
}

TEST_F(EngineSession, SlaveEngineLoadsPlaysBlackAndUnloads)
{
    ASSERT_TRUE(loadScripted(Identify));
    UseEngineScript(dir, QStringLiteral("expect uci\nsend id name Second\nsend id author B. "
                                        "Helper\nsend uciok\n"));
    fake.fileAnswers = {ScriptedEnginePath()};
    ToggleSlave();
    EXPECT_EQ(fake.dialogs.back().title, "Load Slave Engine");
    EXPECT_EQ(fake.lastMessage(), "Engine Name: Second\n\nDesigned by: B. Helper");
    EXPECT_TRUE(Engine.SlaveBlack);
    EXPECT_FALSE(Engine.SlaveWhite);
    EXPECT_EQ(Engine.SlaveName, "Second");
    const QStringList log = logEntries();
    EXPECT_TRUE(log.contains("magenta: uci"));
    EXPECT_TRUE(log.contains("teal: uciok"));
    EXPECT_TRUE(log.contains("magenta: setoption name Hash value 16"));

    ToggleSlave();
    EXPECT_EQ(fake.lastMessage(), "Slave engine is unloaded.");
    EXPECT_FALSE(Engine.SlaveBlack);
    EXPECT_FALSE(SlaveChannel.isOpen());
    EXPECT_EQ(logEntries().last(), "magenta: quit");

    // A new main engine unloads a slave first.
    UseEngineScript(dir, QStringLiteral("expect uci\nsend uciok\n"));
    fake.fileAnswers = {ScriptedEnginePath()};
    ToggleSlave();
    ASSERT_TRUE(Engine.SlaveBlack);
    ASSERT_TRUE(loadScripted(Identify));
    EXPECT_FALSE(SlaveChannel.isOpen());
    EXPECT_FALSE(Engine.SlaveBlack);
    EXPECT_EQ(ChildProcessCount(), 1);
}

TEST_F(EngineSession, SlaveHandshakeFailureKeepsTheMainEngine)
{
    ASSERT_TRUE(loadScripted(Identify));
    UseEngineScript(dir, QStringLiteral("expect uci\nexit 1\n"));
    fake.fileAnswers = {ScriptedEnginePath()};
    ToggleSlave();
    EXPECT_EQ(fake.lastMessage(), "Unable to load engine: " + ScriptedEnginePath());
    EXPECT_FALSE(Engine.SlaveBlack);
    EXPECT_EQ(Cfg.EnginePath, ScriptedEnginePath());
    EXPECT_EQ(Engine.EngineState, 1);
}

TEST_F(EngineSession, LogStaysSilentWithoutAPathOrWhenOff)
{
    Cfg.LogFile.clear();
    ASSERT_TRUE(loadScripted(Identify));
    UnloadEngine();
    Cfg.LogFile = logPath;
    Cfg.EngineLog = false;
    ASSERT_TRUE(loadScripted(Identify));
    EXPECT_FALSE(QFile::exists(logPath));
}

TEST_F(EngineSession, TwoHundredLoadsLeaveNoDescriptorOrProcessBehind)
{
    Cfg.EngineLog = false;
    UseEngineScript(dir, QStringLiteral("expect uci\nsend uciok\n"));
    Cfg.EnginePath = ScriptedEnginePath();
    ASSERT_TRUE(LoadEngine(false));
    UnloadEngine();
    const int descriptors = OpenDescriptorCount();
    const int children = ChildProcessCount();
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(LoadEngine(false)) << i;
        UnloadEngine();
    }
    RecordProperty("descriptors_before", descriptors);
    RecordProperty("descriptors_after", OpenDescriptorCount());
    RecordProperty("children_before", children);
    RecordProperty("children_after", ChildProcessCount());
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    EXPECT_EQ(ChildProcessCount(), children);
    EXPECT_TRUE(fake.messages.empty());
}
