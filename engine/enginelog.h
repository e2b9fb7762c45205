// The two engine channels, the one routine through which commands reach an engine, and the
// engine log: every line exchanged, as coloured HTML, appended to the log file when logging is on.
#pragma once

#include "engine/vorsel.h"

#include <QString>

extern EngineChannel MainChannel;
extern EngineChannel SlaveChannel;

// Sends line to the slave when toSlave, else to the main engine, and logs it (red / magenta).
void SendToEngine(const QString& line, bool toSlave);
// Logs a line received from an engine (blue from the main engine, teal from the slave).
void LogEngineOutput(const QString& line, bool fromSlave);
// Logs a remark of the program's own about the exchange (black).
void LogEngineNote(const QString& text);
