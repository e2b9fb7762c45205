#include "shell/startup.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movecommands.h"
#include "engine/enginecontrols.h"
#include "engine/engineload.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "files/captions.h"
#include "files/filedialog.h"
#include "files/savegame.h"
#include "kessrin.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "play/frmlevelset.h"
#include "play/gamecontrol.h"
#include "play/sides.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/boardcommands.h"
#include "shell/boardview.h"
#include "shell/frmmain.h"
#include "shell/pieceimages.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

QString JoinArguments(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' '));
}

namespace {

QString unquoted(const QString& text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

} // namespace

CommandLineRequest ParseCommandLine(const QString& commandLine)
{
    CommandLineRequest request;
    if (commandLine.isEmpty())
        return request;
    const QString head = commandLine.left(3).toUpper();
    if (head == QLatin1String("/S ") || head == QLatin1String("-S ")) {
        request.kind = CommandLineRequest::Kind::Fen;
        request.text = unquoted(commandLine.mid(3));
    } else if (head == QLatin1String("/F ") || head == QLatin1String("-F ")) {
        request.kind = CommandLineRequest::Kind::PositionFile;
        request.text = unquoted(commandLine.mid(3));
    } else {
        request.kind = CommandLineRequest::Kind::GameFile;
        request.text = unquoted(commandLine);
    }
    return request;
}

bool DetectSecondInstance()
{
    // Held until the process ends; QLockFile removes a lock left by a copy that crashed.
    static std::unique_ptr<QLockFile> lock;
    if (lock)
        return false;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    auto candidate = std::make_unique<QLockFile>(folder + QStringLiteral("/chess-quorvin.lock"));
    candidate->setStaleLockTime(0);
    if (!candidate->tryLock(0))
        return candidate->error() == QLockFile::LockFailedError;
    lock = std::move(candidate);
    return false;
}

void MainLoop()
{
    App.Running = true;
    while (App.Running) {
        // Engine lines are read back to back while they wait, with only event handling between.
        if (PollEngine())
            ProcessEvents();
        else
            ClockTick();
    }
}

void ConnectAllCommands(frmMain& form)
{
    ConnectSaveCommands(form);
    ConnectBoardCommands(form);
    ConnectMoveCommands(form);
    ConnectEngineCommands(form);
    ConnectLevelCommands(form);
    ConnectGameCommands(form);
}

void StartFromCommandLine(const CommandLineRequest& request)
{
    switch (request.kind) {
    case CommandLineRequest::Kind::Empty:
        break;
    case CommandLineRequest::Kind::GameFile:
        // Reading game files arrives with the PGN reader; until then the program starts a new
        // game and never adopts the named file, so Save cannot overwrite it.
        NewGame();
        break;
    case CommandLineRequest::Kind::Fen:
        // A refused position leaves the user a normal game rather than an unplayable board.
        if (!StartFromFen(request.text, false))
            NewGame();
        break;
    case CommandLineRequest::Kind::PositionFile: {
        QFile file(request.text);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            ShowFileError(request.text);
            NewGame();
            break;
        }
        if (!StartFromFen(QString::fromUtf8(file.readLine()).trimmed(), false))
            NewGame();
        break;
    }
    }
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
    AlternateWhite = false;
    // Until the automatic save file can be read, only the case without it starts a new game.
    const bool askNewGame = request.kind == CommandLineRequest::Kind::Empty && !Cfg.AutoSave;
    if (askNewGame)
        NewGame();
    StartFromCommandLine(request);

    if (!App.SecondInstance)
        window.move(Cfg.Left / 15, Cfg.Top / 15);
    window.show();
    window.txtMove->setFocus();
    if (askNewGame) {
        // Asked from the loop's first pass, over the shown window; not once the window closed.
        QTimer::singleShot(0, [] {
            if (App.Running && MainForm)
                AskNewGame();
        });
    }

    MainLoop();
    Clock.ClockRunning = false;

    SaveCommonSettings();
    SaveSettings();
    StopSound();
    CloseMusic();
    KessrinUnloadEco();
    return 0;
}
