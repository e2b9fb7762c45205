#include "shell/boardcommands.h"

#include "core/gamerecord.h"
#include "files/captions.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/boardview.h"
#include "shell/frmmain.h"
#include "shell/media_catalog.h"
#include "shell/settings.h"

#include <QAction>
#include <QLayout>
#include <QMenu>

namespace {

constexpr int BoardPictureCount = static_cast<int>(media::boardPictures.size());
constexpr int MusicPieceCount = static_cast<int>(media::musicBaseNames.size());

QString text(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString boardPicturePath(int index)
{
    return App.ProgramFolder + text(media::imagesFolder) +
           text(media::boardPictures[static_cast<std::size_t>(index)]);
}

void setTick(const QString& name, bool ticked)
{
    if (!MainForm)
        return;
    if (QAction* act = MainForm->command(name))
        act->setChecked(ticked);
}

void tickOnly(const QString& group, int index)
{
    if (!MainForm)
        return;
    for (QAction* act : MainForm->commandSet().group(group))
        act->setChecked(act->property("index").toInt() == index);
}

} // namespace

void ConnectBoardCommands(frmMain& form)
{
    if (form.boardHost->findChild<BoardView*>())
        return;
    auto* view = new BoardView(form.boardHost);
    form.boardHost->layout()->addWidget(view);
    SetMainBoardView(view);

    // The form owns its command set and is being built; only the music items are added here.
    auto& commands = const_cast<CommandSet&>(form.commandSet());
    if (QMenu* musicMenu = commands.menu(QStringLiteral("mnOptionsMusic_"))) {
        for (int i = 1; i <= MusicPieceCount; ++i)
            commands.addCommand(musicMenu, QStringLiteral("mnOptionsMusic"), i,
                                text(media::musicCaptions[static_cast<std::size_t>(i - 1)]), true);
    }

    auto connectCommand = [&form](const QString& name, std::function<void()> handler, int index) {
        if (QAction* act = form.onCommand(name, std::move(handler), index))
            act->setEnabled(true);
    };
    connectCommand(QStringLiteral("mnPosFlip"), Rotate, -1);
    connectCommand(QStringLiteral("mnQuorvinBlindfold"), SetBlindfold, -1);
    for (int i = 0; i < BoardPictureCount; ++i)
        connectCommand(
            QStringLiteral("mnOptionsBoard"), [i] { SetBoardPicture(i); }, i);
    for (int i = 0; i <= MusicPieceCount; ++i)
        connectCommand(
            QStringLiteral("mnOptionsMusic"), [i] { SetMusic(i); }, i);
}

void ApplyBoardSettings()
{
    if (BoardView* view = MainBoardView()) {
        const int index = std::clamp<int>(Cfg.Board, 0, BoardPictureCount - 1);
        view->setBoardPicture(boardPicturePath(index));
    }
    tickOnly(QStringLiteral("mnOptionsBoard"), Cfg.Board);
    setTick(QStringLiteral("mnQuorvinBlindfold"), Cfg.Blindfold);
    setTick(QStringLiteral("mnPosFlip"), Game.Flipped);
    FillCoordinates();
    ShowCoordinates(Cfg.Coordinates);
    SetMusic(Cfg.Music);
}

void Rotate()
{
    Game.Flipped = !Game.Flipped;
    setTick(QStringLiteral("mnPosFlip"), Game.Flipped);
    // Refilled even while the captions are hidden: the tooltips name the squares too.
    FillCoordinates();
    RedrawBoard();
    RefreshGameCaptions();
}

void SetBlindfold()
{
    Cfg.Blindfold = !Cfg.Blindfold;
    setTick(QStringLiteral("mnQuorvinBlindfold"), Cfg.Blindfold);
    RedrawBoard();
}

void SetBoardPicture(int index)
{
    BoardView* view = MainBoardView();
    if (!view || index < 0 || index >= BoardPictureCount)
        return;
    if (!view->setBoardPicture(boardPicturePath(index))) {
        // Re-assert the former tick: a triggered checkable item has toggled itself.
        tickOnly(QStringLiteral("mnOptionsBoard"), Cfg.Board);
        return;
    }
    Cfg.Board = static_cast<qint16>(index);
    tickOnly(QStringLiteral("mnOptionsBoard"), index);
}
