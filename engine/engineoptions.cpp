#include "engine/engineoptions.h"

#include "engine/enginelog.h"
#include "engine/uci.h"
#include "shell/appstate.h"
#include "shell/settings.h"

void SetOption(const QString& name, const QString& value, bool toSlave)
{
    SendToEngine(OptionLine(name, value), toSlave);
}

void SetOptionBool(const QString& name, bool flag, bool toSlave)
{
    SetOption(name, flag ? QStringLiteral("true") : QStringLiteral("false"), toSlave);
}

void SendEngineOptions(bool toSlave)
{
    for (const auto& [name, value] : EngineOptionValues(Cfg, App.CpuCount))
        SetOption(name, value, toSlave);
}
