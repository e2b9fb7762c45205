#include "engine/enginecontrols.h"

#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/vorsel.h"
#include "files/filedialog.h"
#include "play/clockstate.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

namespace {

void SetCommand(const char* name, bool enabled, bool clearTick)
{
    const QString command = QString::fromLatin1(name);
    view().setCommandEnabled(command, enabled);
    if (clearTick)
        view().setCommandChecked(command, false);
}

} // namespace

void UpdateEngineControls(bool loaded)
{
    SetCommand("mnEngineSet", loaded, false);
    Engine.EngineWhite = Engine.EngineBlack = false;
    SetCommand("mnEngineWhite", loaded, true);
    SetCommand("mnEngineBlack", loaded, true);
    Engine.PonderOn = false;
    SetCommand("mnEnginePonder", false, true);
    if (Engine.ThinkShown) {
        CloseThinkingWindow();
        view().setCommandChecked(QStringLiteral("mnEngineAnalyze"), false);
    }
    SetCommand("mnEngineAnalyze", loaded, false);
    SetCommand("mnEngineStop", false, false);
    SetCommand("mnMoveRetract", loaded, false);
    view().setCommandChecked(QStringLiteral("mnMoveDraw"), false);
    SetCommand("mnHelpEngine", loaded, false);
    if (!loaded) {
        Clock.ClockRunning = false;
        view().setCommandChecked(QStringLiteral("mnEngineLevel"), false);
    }
}

QString ChooseEngineFile(const QString& title)
{
    // Engines have no extension of their own here, so the filter shows every file.
    return FileDialog(title, QStringLiteral("Engine files"), QStringLiteral("*"), QString());
}

QString ChooseEngineProgram(const QString& title)
{
    const QString path = ChooseEngineFile(title);
    if (path.isEmpty() || GetMeldro(path) == 3)
        return path;
    showMessage(path + QStringLiteral(" is not an engine file."), MsgButtons::Ok,
                MsgIcon::Exclamation);
    return QString();
}

void mnEngineLoad_Click()
{
    const QString path = ChooseEngineProgram(QStringLiteral("Load Engine"));
    if (path.isEmpty())
        return;
    Cfg.EnginePath = path;
    LoadEngine(true);
}

void mnEngineStop_Click()
{
    // Stop waits for the engine's answer, which only a running search gives.
    if (Engine.EngineState >= 5)
        StopSearch();
}

void mnHelpEngine_Click()
{
    ShowEngineInfo();
}
