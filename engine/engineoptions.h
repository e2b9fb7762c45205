// Engine options: the user's engine preferences sent as "setoption" commands.
#pragma once

#include <QString>

// "setoption name <name> value <value>" to the slave when toSlave, else to the main engine.
void SetOption(const QString& name, const QString& value, bool toSlave);
// SetOption with "true" or "false".
void SetOptionBool(const QString& name, bool flag, bool toSlave);
// The whole option set (book, tablebases, hash, threads, randomness, style).
void SendEngineOptions(bool toSlave);
