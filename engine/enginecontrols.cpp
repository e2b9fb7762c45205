#include "engine/enginecontrols.h"

#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/vorsel.h"
#include "files/filedialog.h"
#include "play/clockstate.h"
#include "play/sides.h"
#include "shell/frmmain.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QAction>

namespace {

QAction* Command(const char* name)
{
    return MainForm ? MainForm->command(QString::fromLatin1(name)) : nullptr;
}

void SetCommand(const char* name, bool enabled, bool clearTick)
{
    if (QAction* action = Command(name)) {
        action->setEnabled(enabled);
        if (clearTick)
            action->setChecked(false);
    }
}

} // namespace

void UpdateEngineControls(bool loaded)
{
    SetCommand("mnEngineSet", loaded, false);
    EngineWhite = EngineBlack = false;
    SetCommand("mnEngineWhite", loaded, true);
    SetCommand("mnEngineBlack", loaded, true);
    Engine.PonderOn = false;
    SetCommand("mnEnginePonder", false, true);
    if (Engine.ThinkShown) {
        CloseThinkingWindow();
        if (QAction* analyze = Command("mnEngineAnalyze"))
            analyze->setChecked(false);
    }
    SetCommand("mnEngineAnalyze", loaded, false);
    SetCommand("mnEngineStop", false, false);
    SetCommand("mnMoveRetract", loaded, false);
    if (QAction* draw = Command("mnMoveDraw"))
        draw->setChecked(false);
    SetCommand("mnHelpEngine", loaded, false);
    if (!loaded) {
        Clock.ClockRunning = false;
        if (QAction* level = Command("mnEngineLevel"))
            level->setChecked(false);
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

void ConnectEngineCommands(frmMain& form)
{
    form.onCommand(QStringLiteral("mnEngineLoad"), mnEngineLoad_Click);
    form.onCommand(QStringLiteral("mnEngineStop"), mnEngineStop_Click);
    form.onCommand(QStringLiteral("mnHelpEngine"), mnHelpEngine_Click);
    if (QAction* load = form.command(QStringLiteral("mnEngineLoad")))
        load->setEnabled(true);
}
