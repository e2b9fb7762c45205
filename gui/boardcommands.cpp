#include "gui/boardcommands.h"

#include "core/board.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "shell/audio.h"
#include "shell/media_catalog.h"

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

    form.onCommandEnabled(QStringLiteral("mnPosFlip"), Rotate);
    form.onCommandEnabled(QStringLiteral("mnQuorvinBlindfold"), SetBlindfold);
    for (int i = 0; i < BoardPictureCount; ++i)
        form.onCommandEnabled(
            QStringLiteral("mnOptionsBoard"), [i] { SetBoardPicture(i); }, i);
    for (int i = 0; i <= MusicPieceCount; ++i)
        form.onCommandEnabled(
            QStringLiteral("mnOptionsMusic"), [i] { SetMusic(i); }, i);
}
