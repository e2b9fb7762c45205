#include "engine/engineload.h"

#include "engine/enginecontrols.h"
#include "engine/enginelog.h"
#include "engine/engineoptions.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "engine/uci.h"
#include "files/savegame.h"
#include "shell/appstate.h"
#include "shell/platform.h"
#include "shell/settings.h"

namespace {

const QString CpuAdvice =
    QStringLiteral("\n\nYour CPU may be overloaded. Exit Chess Quorvin and launch again later.");

enum class Handshake { Done, Died, TimedOut };

// Reads the engine's identification until "uciok", without yielding to the window system.
Handshake RunHandshake(EngineChannel& channel, bool slave, QString& name, QString& author)
{
    const double start = platform().timeOfDay();
    for (;;) {
        if (const std::optional<QString> line = VorselLineInput(channel)) {
            LogEngineOutput(*line, slave);
            if (line->startsWith(QLatin1StringView("id name ")))
                name = line->mid(8);
            else if (line->startsWith(QLatin1StringView("id author ")))
                author = line->mid(10);
            else if (*line == QLatin1StringView("uciok"))
                return Handshake::Done;
            continue;
        }
        if (VorselEof(channel))
            return Handshake::Died;
        platform().sleepMs(1);
        if (ElapsedMs(start, platform().timeOfDay()) > HandshakeTimeoutSeconds * 1000)
            return Handshake::TimedOut;
    }
}

void ReportLoadFailure(const QString& path, Handshake outcome)
{
    QString text = QStringLiteral("Unable to load engine: ") + path;
    if (outcome == Handshake::TimedOut)
        text += CpuAdvice;
    showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

// The engine's name and author, after the desktop's information sound.
void ShowProgramMessage(const QString& text)
{
    platform().systemSound(MsgIcon::Information);
    MessageRequest request;
    request.text = text;
    request.icon = MsgIcon::Picture;
    request.picture = QStringLiteral("ICONW.PNG");
    platform().messageBox(request);
}

} // namespace

void ShowEngineInfo()
{
    ShowProgramMessage(QStringLiteral("Engine: ") + Engine.EngineName +
                       QStringLiteral("\n\nAuthor: ") + Engine.EngineAuthor);
}

bool LoadEngine(bool showInfo)
{
    if (Engine.EngineState > 0)
        UnloadEngine();
    // A slave left over from a main engine that died is unloaded with it.
    if (SlaveChannel.isOpen())
        UnloadSlave();

    bool loaded = false;
    if (!Cfg.EnginePath.isEmpty()) {
        const QString path = Cfg.EnginePath;
        VorselOpen(MainChannel, path);
        SendToEngine(QStringLiteral("uci"), false);
        Engine.EngineName.clear();
        Engine.EngineAuthor.clear();
        const Handshake outcome =
            RunHandshake(MainChannel, false, Engine.EngineName, Engine.EngineAuthor);
        if (outcome == Handshake::Done) {
            Engine.EngineState = 1;
            Engine.SlaveWhite = Engine.SlaveBlack = false;
            SendEngineOptions(false);
            if (showInfo)
                ShowEngineInfo();
            loaded = true;
        } else {
            SendToEngine(QStringLiteral("quit"), false);
            VorselClose(MainChannel);
            ReportLoadFailure(path, outcome);
            Cfg.EnginePath.clear();
        }
    }
    if (!loaded) {
        // A failed handshake may have read the identity of an engine that is gone.
        Engine.EngineName.clear();
        Engine.EngineAuthor.clear();
    }
    UpdateEngineControls(loaded);
    SetWindowTitle();
    return loaded;
}

void UnloadEngine()
{
    HaltEngine();
    if (SlaveLoaded() || SlaveChannel.isOpen())
        UnloadSlave();
    if (MainChannel.isOpen()) {
        SendToEngine(QStringLiteral("quit"), false);
        VorselClose(MainChannel);
    }
    Engine.EngineState = 0;
}

void UnloadSlave()
{
    SendToEngine(QStringLiteral("quit"), true);
    VorselClose(SlaveChannel);
    Engine.SlaveWhite = Engine.SlaveBlack = false;
}

void ToggleSlave()
{
    if (SlaveLoaded()) {
        UnloadSlave();
        showMessage(QStringLiteral("Slave engine is unloaded."), MsgButtons::Ok,
                    MsgIcon::Information);
        return;
    }
    const QString path = ChooseEngineProgram(QStringLiteral("Load Slave Engine"));
    if (path.isEmpty())
        return;
    VorselOpen(SlaveChannel, path);
    SendToEngine(QStringLiteral("uci"), true);
    Engine.SlaveName.clear();
    QString author;
    const Handshake outcome = RunHandshake(SlaveChannel, true, Engine.SlaveName, author);
    if (outcome != Handshake::Done) {
        SendToEngine(QStringLiteral("quit"), true);
        VorselClose(SlaveChannel);
        ReportLoadFailure(path, outcome);
        return;
    }
    Engine.SlaveBlack = true;
    ShowProgramMessage(QStringLiteral("Engine Name: ") + Engine.SlaveName +
                       QStringLiteral("\n\nDesigned by: ") + author);
    SendEngineOptions(true);
}

void StartDefaultEngine()
{
    if (GetMeldro(Cfg.EnginePath) == 3) {
        LoadEngine(false);
        return;
    }
    Cfg.EnginePath = App.ProgramFolder + QStringLiteral("stockfish");
    Cfg.BookFiles.clear();
    if (GetMeldro(Cfg.EnginePath) == 3) {
        LoadEngine(false);
        return;
    }
    showMessage(QStringLiteral("Unable to load engine: ") + Cfg.EnginePath, MsgButtons::Ok,
                MsgIcon::Exclamation);
    Cfg.EnginePath.clear();
    UpdateEngineControls(false);
    SetWindowTitle();
}
