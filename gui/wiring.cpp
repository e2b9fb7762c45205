#include "gui/wiring.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginecontrols.h"
#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "files/captions.h"
#include "files/pgnreader.h"
#include "files/savegame.h"
#include "gui/boardcommands.h"
#include "gui/frmengineset.h"
#include "gui/frmhowto.h"
#include "gui/frmoptions.h"
#include "gui/frmlevelset.h"
#include "gui/frmmain.h"
#include "gui/movecommands.h"
#include "gui/pieceimages.h"
#include "gui/positioncommands.h"
#include "gui/publishcommands.h"
#include "gui/puzzlecommands.h"
#include "gui/quitsignals.h"
#include "gui/speechcommands.h"
#include "kessrin.h"
#include "play/clockstate.h"
#include "play/gamecontrol.h"
#include "play/sidecommands.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/helpcommands.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/updates.h"
#include "study/speech.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

void ConnectSaveCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnFileOpen"), mnFileOpen_Click);
    form.onCommandEnabled(QStringLiteral("mnFileSave"), mnFileSave_Click);
    form.onCommandEnabled(QStringLiteral("mnFileSaveAs"), mnFileSaveAs_Click);
    form.onCommandEnabled(QStringLiteral("mnFilePgn"), mnFilePgn_Click);
    form.setCommandEnabled(QStringLiteral("mnFileSave"), Game.Modified);
}

void ConnectEngineCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnEngineLoad"), mnEngineLoad_Click);
    form.onCommand(QStringLiteral("mnEngineStop"), mnEngineStop_Click);
    form.onCommand(QStringLiteral("mnHelpEngine"), mnHelpEngine_Click);
}

void ConnectSideCommands(frmMain& form)
{
    form.onCommand(QStringLiteral("mnEngineWhite"), mnEngineWhite_Click);
    form.onCommand(QStringLiteral("mnEngineBlack"), mnEngineBlack_Click);
    form.onCommand(QStringLiteral("mnEnginePonder"), mnEnginePonder_Click);
}

void ConnectGameCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnFileNew"), mnFileNew_Click);
    form.onCommandEnabled(QStringLiteral("mnQuorvinPlay"), mnQuorvinPlay_Click);
    for (int index = 0; index < 6; ++index)
        form.onCommandEnabled(
            QStringLiteral("mnQuorvinHandicap"), [index] { mnQuorvinHandicap_Click(index); },
            index);
    if (QMenu* handicaps = form.commandSet().menu(QStringLiteral("mnQuorvinHandicap_")))
        handicaps->setEnabled(true);
    // Ticks follow the flags only, never the click itself.
    form.setCommandChecked(QStringLiteral("mnQuorvinPlay"), Clock.DemoRunning);
    ConnectSideCommands(form);
}

void ConnectHelpCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnHelpHowTo"), [&form] { ShowHowTo(&form); });
    form.onCommandEnabled(QStringLiteral("mnHelpAbout"), mnHelpAbout_Click);
    form.onCommandEnabled(QStringLiteral("mnOptionsSettings"), [&form] { ShowOptions(&form); });
    form.onCommandEnabled(QStringLiteral("mnHelpUpdate"), [] { CheckForUpdate(true); });
    form.onCommandEnabled(QStringLiteral("mnHelpQuote"), mnHelpQuote_Click);
    form.onCommandEnabled(QStringLiteral("mnQuorvinBook"), mnQuorvinBook_Click);
    for (const char* link : {"mnHelpContents", "mnHelpHome", "mnHelpEngines", "mnHelpMobile",
                             "mnHelpBase", "mnHelpSuggest"}) {
        const QString name = QString::fromLatin1(link);
        form.onCommandEnabled(name, [name] { OpenHelpLink(name); });
    }
}

void ConnectAllCommands(frmMain& form)
{
    ConnectHelpCommands(form);
    ConnectSaveCommands(form);
    ConnectBoardCommands(form);
    ConnectMoveCommands(form);
    ConnectEngineCommands(form);
    ConnectLevelCommands(form);
    ConnectGameCommands(form);
    ConnectPositionCommands(form);
    ConnectAnalysisCommands(form);
    ConnectPublishCommands(form);
    ConnectPuzzleCommands(form);
    ConnectSpeechCommands(form);
}

int RunProgram(const QStringList& arguments)
{
    Platform& host = platform();
    host.randomInt(0, 0); // the generator is seeded from the clock when the platform starts
    App.SecondInstance = DetectSecondInstance();
    App.ProgramFolder = QCoreApplication::applicationDirPath();
    if (!App.ProgramFolder.endsWith(QLatin1Char('/')))
        App.ProgramFolder += QLatin1Char('/');
    App.CpuCount = host.processorCount();
    LoadCommonSettings();
    const CommandLineRequest request = ParseCommandLine(JoinArguments(arguments));
    LoadSettings();
    KessrinInit();
    KessrinLoadEco((App.ProgramFolder + QStringLiteral("ECO.TXT")).toStdString(), 2048);
    resetRecord(false);
    LoadPieceImages();
    Clock.ClockRunning = false;
    Engine.EngineState = 0;
    if (!Cfg.LogFile.isEmpty() && Cfg.EngineLog) {
        // Each run starts with an empty engine log; a log that cannot be opened is ignored.
        QFile log(Cfg.LogFile);
        if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
            log.close();
    }

    frmMain window;
    window.Form_Load();
    ConnectAllCommands(window);
    ApplyBoardSettings();
    RedrawBoard();
    RefreshGameCaptions();
    SetWindowTitle();
    StartDefaultEngine();
    Engine.AlternateWhite = false;
    // With nothing to load, a new game; with "AutoSave" on, the last game comes back instead.
    const bool askNewGame = request.kind == CommandLineRequest::Kind::Empty && !Cfg.AutoSave;
    if (askNewGame)
        NewGame();
    StartFromCommandLine(request);

    if (!App.SecondInstance)
        window.RestorePlace();
    window.show();
    window.txtMove->setFocus();
    if (askNewGame) {
        // Asked from the loop's first pass, over the shown window; not once the window closed.
        QTimer::singleShot(0, [] {
            if (App.Running && MainForm)
                AskNewGame();
        });
    }
    // The check never holds the window back: its answer comes whenever the site replies.
    if (!App.SecondInstance && UpdateCheckDue())
        CheckForUpdate(false);
    if (Cfg.ShowHowTo && !App.SecondInstance) {
        QTimer::singleShot(0, [&window] {
            if (App.Running && MainForm)
                ShowHowTo(&window);
        });
    }

    InstallQuitSignals([&window] {
        // Nothing is asked: whoever sent the signal will not wait for an answer.
        window.CloseSteps();
        FinishProgram();
        std::fflush(nullptr);
        ::_exit(0); // also from inside a modal dialog's loop, whose caller must not go on
    });
    MainLoop();
    FinishProgram();
    if (UpdateFollowUpLink.startsWith(QLatin1String("http://")))
        platform().openUrl(UpdateFollowUpLink);
    return 0;
}
