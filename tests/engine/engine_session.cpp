#include "engine_session.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginecontrols.h"
#include "engine/engineload.h"
#include "engine/enginelog.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "play/clockstate.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "support/program_state.h"

#include <QFile>
#include <QRegularExpression>

#include <chrono>

void EngineSession::SetUp()
{
    ResetProgramState();
    App.CpuCount = 2;
    Cfg.Sounds = false;
    logPath = dir.filePath(QStringLiteral("engine.htm"));
    Cfg.LogFile = logPath;
    Cfg.EngineLog = true;
    setView(&shown);
}

void EngineSession::TearDown()
{
    UnloadEngine();
    setView(nullptr);
}

bool EngineSession::loadScripted(const QString& script, bool showInfo)
{
    UseEngineScript(dir, script);
    Cfg.EnginePath = ScriptedEnginePath();
    return LoadEngine(showInfo);
}

bool EngineSession::pollUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!PollEngine())
            fake.sleepMs(1);
    }
    return true;
}

QStringList EngineSession::logEntries() const
{
    QFile file(logPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression entry(
        QStringLiteral("^<font color=\"(\\w+)\">(.*)</font><br>$"));
    QStringList entries;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"))) {
        if (line.isEmpty())
            continue;
        const auto match = entry.match(line);
        entries << (match.hasMatch() ? match.captured(1) + QStringLiteral(": ") + match.captured(2)
                                     : QStringLiteral("malformed: ") + line);
    }
    return entries;
}

QStringList EngineSession::sentToMain() const
{
    QStringList lines;
    for (const QString& entry : logEntries())
        if (entry.startsWith(QStringLiteral("red: ")))
            lines << entry.mid(5);
    return lines;
}

QString EngineSession::panel(const char* key) const
{
    const auto found = shown.status.find(QString::fromLatin1(key));
    return found == shown.status.end() ? QString() : found->second;
}

bool EngineSession::enabled(const char* command) const
{
    return shown.command(QString::fromLatin1(command)).enabled;
}

void EngineSession::playQuiet(std::initializer_list<const char*> sans)
{
    for (const char* san : sans)
        ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
}
