#include "engine/enginelog.h"

#include "engine/uci.h"
#include "shell/settings.h"

#include <QFile>

EngineChannel MainChannel;
EngineChannel SlaveChannel;

namespace {

// Each entry is on disk once written; a log that cannot be opened is ignored.
void AppendLogEntry(const QString& line, const char* colour)
{
    if (Cfg.LogFile.isEmpty() || !Cfg.EngineLog)
        return;
    QFile log(Cfg.LogFile);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(LogEntry(line, colour));
}

} // namespace

void SendToEngine(const QString& line, bool toSlave)
{
    VorselLineOutput(toSlave ? SlaveChannel : MainChannel, line);
    AppendLogEntry(line, toSlave ? "magenta" : "red");
}

void LogEngineOutput(const QString& line, bool fromSlave)
{
    AppendLogEntry(line, fromSlave ? "teal" : "blue");
}

void LogEngineNote(const QString& text)
{
    AppendLogEntry(text, "black");
}
