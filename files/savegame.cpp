#include "files/savegame.h"

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "files/captions.h"
#include "files/filedialog.h"
#include "files/pgnwriter.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

namespace {

void enableSave(bool enabled)
{
    view().setCommandEnabled(QStringLiteral("mnFileSave"), enabled);
}

} // namespace

void SetModified()
{
    Game.Modified = true;
    enableSave(true);
    AutoSaveGame();
}

void ClearModified()
{
    Game.Modified = false;
    enableSave(false);
}

bool PromptSave()
{
    if (!Cfg.PromptSave || !Game.Modified)
        return false;
    const QString changed =
        Game.GameFile.isEmpty()
            ? QStringLiteral("The game has changed.")
            : QStringLiteral("The game in the ") + Game.GameFile + QStringLiteral(" has changed.");
    const MsgAnswer answer =
        showMessage(changed + QStringLiteral("\r\n\r\nDo you want to save the changes?"),
                    MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    switch (answer) {
    case MsgAnswer::Yes:
        // A save that did not happen keeps the changed game: the caller must not discard it.
        if (Game.GameFile.isEmpty())
            return !SaveGameAs();
        return !WriteGame(false);
    case MsgAnswer::No:
        return false;
    default:
        return true;
    }
}

bool SaveGameAs()
{
    const QString path =
        FileDialog(QStringLiteral("Save As"), QStringLiteral("Portable Game Notations"),
                   QStringLiteral("pgn"), DefaultGameName());
    if (path.isEmpty())
        return false;
    Game.GameFile = path;
    SetWindowTitle();
    return WriteGame(false);
}

QString WindowTitle(const QString& gameFile, const QString& engineName)
{
    QString name = gameFile.mid(gameFile.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.right(4).toUpper() == QStringLiteral(".PGN"))
        name.chop(4);
    if (name.isEmpty())
        name = engineName;
    return name.isEmpty() ? AppTitle : name + QStringLiteral(" - ") + AppTitle;
}

void SetWindowTitle()
{
    view().setWindowCaption(WindowTitle(Game.GameFile, Engine.EngineName));
}

void mnFileSave_Click()
{
    if (Game.GameFile.isEmpty())
        mnFileSaveAs_Click();
    else
        WriteGame(false);
}

void mnFileSaveAs_Click()
{
    SaveGameAs();
}

void mnFilePgn_Click()
{
    WriteGame(true);
    view().showGameText();
}
