#include "core/board.h"

#include "core/gamerecord.h"
#include "files/captions.h"
#include "shell/appstate.h"
#include "shell/audio.h"
#include "shell/media_catalog.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

#include <algorithm>
#include <array>

namespace {

constexpr int ShakePauseMs = 50;
constexpr int BoardPictureCount = static_cast<int>(media::boardPictures.size());

QString boardPicturePath(int index)
{
    const std::string_view folder = media::imagesFolder;
    const std::string_view file = media::boardPictures[static_cast<std::size_t>(index)];
    return App.ProgramFolder +
           QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size())) +
           QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

void shake(int image)
{
    View& shown = view();
    for (int n = 5; n >= 1; --n) {
        for (int direction : {1, -1}) {
            shown.raiseSquare(image, direction * 20 * n);
            shown.repaintBoard();
            platform().sleepMs(ShakePauseMs);
        }
    }
    shown.raiseSquare(-1, 0);
}

} // namespace

int PieceImageIndex(int pieceCode)
{
    if (pieceCode >= 8 && pieceCode <= 13)
        return pieceCode - 7;
    if (pieceCode >= 16 && pieceCode <= 21)
        return pieceCode - 9;
    return 0;
}

int SquareOfImage(int image)
{
    const int k = Game.Flipped ? 63 - image : image;
    return MakeSquare(k % 8 + 4, k / 8);
}

int ImageOfSquare(int square)
{
    const int shown = Game.Flipped ? FlipSquare(square) : square;
    return RowOf(shown) * 8 + FileOf(shown) - 4;
}

QString SquareName(int square)
{
    const char name[] = {FileLetter(FileOf(square)), RankDigit(RowOf(square))};
    return QString::fromLatin1(name, 2);
}

void DrawSquare(int square, bool selected, bool mated)
{
    if (!view().hasBoard() || !OnBoard(square))
        return;
    const int code = Game.Board.squares[square];
    int index = code == 0 || Cfg.Blindfold ? 0 : PieceImageIndex(code);
    if (selected)
        index += HighlightOffset;
    if (mated && !Cfg.Blindfold) {
        if (Cfg.Animation)
            shake(ImageOfSquare(square));
        if (code == ColourValue(White) + King)
            index = WhiteMatedImage;
        else if (code == ColourValue(Black) + King)
            index = BlackMatedImage;
    }
    view().setSquarePicture(ImageOfSquare(square), index);
}

void RedrawBoard()
{
    Game.SelectedSquare = 0;
    Game.MatedKingSquare = 0;
    for (int row = 0; row < 8; ++row)
        for (int column = 4; column < 12; ++column)
            DrawSquare(MakeSquare(column, row), false, false);
}

void FillCoordinates()
{
    std::array<QString, 64> names;
    for (int i = 0; i < 64; ++i)
        names[static_cast<std::size_t>(i)] = SquareName(SquareOfImage(i));
    view().setSquareCaptions(names);
}

void ShowCoordinates(bool shown)
{
    if (shown)
        FillCoordinates();
    view().setSquareCaptionsShown(shown);
}

void ApplyBoardSettings()
{
    const int index = std::clamp<int>(Cfg.Board, 0, BoardPictureCount - 1);
    view().setBoardPicture(boardPicturePath(index));
    view().tickOnly(QStringLiteral("mnOptionsBoard"), Cfg.Board);
    view().setCommandChecked(QStringLiteral("mnQuorvinBlindfold"), Cfg.Blindfold);
    view().setCommandChecked(QStringLiteral("mnPosFlip"), Game.Flipped);
    FillCoordinates();
    ShowCoordinates(Cfg.Coordinates);
    SetMusic(Cfg.Music);
}

void Rotate()
{
    Game.Flipped = !Game.Flipped;
    view().setCommandChecked(QStringLiteral("mnPosFlip"), Game.Flipped);
    // Refilled even while the captions are hidden: the tooltips name the squares too.
    FillCoordinates();
    RedrawBoard();
    RefreshGameCaptions();
}

void SetBlindfold()
{
    Cfg.Blindfold = !Cfg.Blindfold;
    view().setCommandChecked(QStringLiteral("mnQuorvinBlindfold"), Cfg.Blindfold);
    RedrawBoard();
}

void SetBoardPicture(int index)
{
    if (!view().hasBoard() || index < 0 || index >= BoardPictureCount)
        return;
    if (!view().setBoardPicture(boardPicturePath(index))) {
        // Re-assert the former tick: a triggered checkable item has toggled itself.
        view().tickOnly(QStringLiteral("mnOptionsBoard"), Cfg.Board);
        return;
    }
    Cfg.Board = static_cast<qint16>(index);
    view().tickOnly(QStringLiteral("mnOptionsBoard"), index);
}
