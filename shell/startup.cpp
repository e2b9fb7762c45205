#include "shell/startup.h"

#include "core/domove.h"
#include "engine/engineoutput.h"
#include "core/gamerecord.h"
#include "files/pgnreader.h"
#include "files/positions.h"
#include "play/clocktick.h"
#include "play/gamecontrol.h"
#include "shell/appstate.h"
#include "kessrin.h"
#include "shell/audio.h"
#include "play/clockstate.h"
#include "shell/settings.h"
#include "study/speech.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

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
        request.text = unquoted(commandLine);
        // A file manager opening a position file passes its path alone.
        request.kind = request.text.endsWith(QLatin1String(".fen"), Qt::CaseInsensitive)
                           ? CommandLineRequest::Kind::PositionFile
                           : CommandLineRequest::Kind::GameFile;
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

void MainLoopPass()
{
    // Engine lines are read back to back while they wait, with only event handling between; a
    // flood of them still lets the tick run, so that the clocks charge the time as it passes.
    if (PollEngine()) {
        ProcessEvents();
        if (SecondsSinceLastTick() >= TickIntervalDuringOutput)
            ClockTick();
    } else {
        ClockTick();
    }
}

void MainLoop()
{
    App.Running = true;
    while (App.Running)
        MainLoopPass();
}

void FinishProgram()
{
    Clock.ClockRunning = false;
    SaveCommonSettings();
    SaveSettings();
    StopSound();
    CloseMusic();
    Speak(QString()); // no reading outlives the program
    KessrinUnloadEco();
}

void StartFromCommandLine(const CommandLineRequest& request)
{
    switch (request.kind) {
    case CommandLineRequest::Kind::Empty:
        if (Cfg.AutoSave)
            LoadGameFile(true);
        break;
    case CommandLineRequest::Kind::GameFile:
        Game.GameFile = request.text;
        LoadGameFile(false);
        break;
    case CommandLineRequest::Kind::Fen:
        // A refused position leaves the user a normal game rather than an unplayable board.
        if (!StartFromFen(request.text, false))
            NewGame();
        break;
    case CommandLineRequest::Kind::PositionFile:
        if (!LoadPositionFile(request.text))
            NewGame();
        break;
    }
}
