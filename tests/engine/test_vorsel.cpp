// The process layer against real child processes (the scripted engine and shell scripts).
#include <gtest/gtest.h>

#include "engine/vorsel.h"
#include "engine_test_support.h"

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Every line the engine writes until its output ends (at most a few seconds).
std::vector<std::string> ReadAll(EngineChannel& channel)
{
    std::vector<std::string> lines;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if (const auto line = channel.readLine()) {
            lines.emplace_back(*line);
            continue;
        }
        if (channel.atEnd())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return lines;
}

class Vorsel : public ::testing::Test {
protected:
    void run(const char* script) { UseEngineScript(dir, QString::fromLatin1(script)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Vorsel, LinesLoseTheirEndsAndOverlongLinesAreCut)
{
    run("expect uci\n"
        "raw id name Scripted\\r\\n\n"
        "send uciok \n"
        "raw \\r\\n\n"
        "long 70000\n"
        "raw tail\\r\n"
        "exit 0\n");
    EngineChannel channel;
    channel.open(ScriptedEnginePath().toStdString());
    EXPECT_FALSE(channel.atEnd());
    channel.writeLine("uci");
    const std::vector<std::string> lines = ReadAll(channel);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "id name Scripted");
    EXPECT_EQ(lines[1], "uciok ");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], std::string(EngineChannel::MaxLineLength, 'x'));
    EXPECT_EQ(lines[4], std::string(70000 - EngineChannel::MaxLineLength, 'x'));
    EXPECT_EQ(lines[5], "tail"); // the last line had no line end
    EXPECT_TRUE(channel.atEnd());
    EXPECT_FALSE(channel.readLine());
}

TEST_F(Vorsel, FloodArrivesCompleteAndInOrder)
{
    run("flood 50000 info depth 3 nodes 1000 pv e2e4\nsend bestmove e2e4\nexit 0\n");
    EngineChannel channel;
    channel.open(ScriptedEnginePath().toStdString());
    const std::vector<std::string> lines = ReadAll(channel);
    ASSERT_EQ(lines.size(), 50001u);
    EXPECT_EQ(lines.front(), "info depth 3 nodes 1000 pv e2e4");
    EXPECT_EQ(lines.back(), "bestmove e2e4");
}

TEST_F(Vorsel, ProgramThatCannotStartIsEndOfInput)
{
    EngineChannel channel;
    channel.open("/nonexistent/engine");
    channel.writeLine("uci"); // dropped, no crash
    EXPECT_FALSE(channel.readLine());
    EXPECT_TRUE(channel.atEnd());
    channel.close();
    EXPECT_FALSE(channel.isOpen());
}

TEST_F(Vorsel, WritingToADeadEngineNeitherKillsNorBlocks)
{
    run("exit 7\n");
    EngineChannel channel;
    channel.open(ScriptedEnginePath().toStdString());
    ReadAll(channel);
    ASSERT_TRUE(channel.atEnd());
    const std::string big(100000, 'y');
    for (int i = 0; i < 20; ++i)
        channel.writeLine(big);
    channel.close();
    EXPECT_EQ(ChildProcessCount(), 0);
}

TEST_F(Vorsel, CloseEndsAnEngineThatIgnoresQuit)
{
    run("hang\n");
    EngineChannel channel;
    channel.open(ScriptedEnginePath().toStdString());
    const pid_t child = channel.processId();
    ASSERT_GT(child, 0);
    channel.writeLine("quit");
    const auto start = Clock::now();
    channel.close();
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(EngineChannel::CloseGraceMs));
    EXPECT_LT(waited, std::chrono::milliseconds(EngineChannel::CloseGraceMs + 2000));
    EXPECT_NE(kill(child, 0), 0); // reaped, so the id no longer names a process of ours
    EXPECT_EQ(ChildProcessCount(), 0);
}

TEST_F(Vorsel, ScriptsAndEachChannelKeepTheirOwnPipes)
{
    run("expect uci\nsend uciok\n");
    const QString wrapper = dir.filePath(QStringLiteral("engine.sh"));
    WriteExecutable(wrapper, QStringLiteral("#!/bin/sh\nexec '%1'\n").arg(ScriptedEnginePath()));
    const int descriptors = OpenDescriptorCount();
    {
        EngineChannel first, second;
        first.open(wrapper.toStdString());
        second.open(ScriptedEnginePath().toStdString());
        first.writeLine("uci");
        second.writeLine("uci");
        for (EngineChannel* channel : {&first, &second}) {
            std::optional<std::string> line;
            const auto deadline = Clock::now() + std::chrono::seconds(5);
            while (!line && Clock::now() < deadline) {
                if (const auto read = channel->readLine())
                    line = std::string(*read);
                else
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            EXPECT_EQ(line, "uciok");
        }
        EXPECT_EQ(ChildProcessCount(), 2);
        first.writeLine("quit");
        second.writeLine("quit");
    }
    EXPECT_EQ(ChildProcessCount(), 0);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(Vorsel, EngineDoesNotInheritOurIgnoredBrokenPipes)
{
    const QString probe = dir.filePath(QStringLiteral("probe.sh"));
    WriteExecutable(probe, QStringLiteral("#!/bin/sh\nexec grep SigIgn /proc/self/status\n"));
    EngineChannel channel;
    channel.open(probe.toStdString());
    channel.writeLine("x"); // makes sure this process ignores SIGPIPE itself
    const std::vector<std::string> lines = ReadAll(channel);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    ASSERT_EQ(line.rfind("SigIgn:", 0), 0u) << line;
    const unsigned long long ignored = std::stoull(line.substr(7), nullptr, 16);
    EXPECT_EQ(ignored & (1ull << (SIGPIPE - 1)), 0u) << line;
}

TEST_F(Vorsel, GetMeldroKnowsExecutablesAndScripts)
{
    const QString script = dir.filePath(QStringLiteral("run.sh"));
    WriteExecutable(script, QStringLiteral("#!/bin/sh\n"));
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    WriteExecutable(text, QStringLiteral("just text\n"));
    const QString plainScript = dir.filePath(QStringLiteral("plain.sh"));
    WriteExecutable(plainScript, QStringLiteral("#!/bin/sh\n"));
    QFile(plainScript).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    struct Row {
        QString path;
        int expected;
    } rows[] = {
        {ScriptedEnginePath(), 3},
        {script, 3},
        {text, 0},        // executable but neither ELF nor a script
        {plainScript, 0}, // a script without the execute permission
        {dir.path(), 0},  // a folder
        {dir.filePath(QStringLiteral("missing")), 0},
        {QString(), 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetMeldro(row.path), row.expected) << row.path.toStdString();
}
