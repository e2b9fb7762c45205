#include "gui/pieceimages.h"

#include "shell/appstate.h"
#include "shell/media_catalog.h"

PictureSet Pictures;

namespace {

QString text(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void loadInto(QPixmap& picture, const QString& fileName)
{
    QPixmap loaded;
    if (!loaded.load(App.ProgramFolder + text(media::imagesFolder) + fileName))
        return;
    picture = loaded;
    ++Pictures.generation;
}

} // namespace

void LoadPieceImage(int index, const QString& baseName, bool withHighlight)
{
    if (index < 0 || index >= PieceImageCount)
        return;
    loadInto(Pictures.pieces[static_cast<std::size_t>(index)], baseName + QStringLiteral(".GIF"));
    if (withHighlight && index + HighlightOffset < PieceImageCount)
        loadInto(Pictures.pieces[static_cast<std::size_t>(index + HighlightOffset)],
                 baseName + QStringLiteral("S.GIF"));
}

void LoadPieceImages()
{
    // Pictures 0..12, then the mated kings at 26 and 27; those have highlighted files too, but
    // index + 13 lies beyond the set.
    for (std::size_t i = 0; i < media::pieceBaseNames.size(); ++i) {
        const int index =
            i < media::highlightedPieceCount
                ? static_cast<int>(i)
                : WhiteMatedImage + static_cast<int>(i - media::highlightedPieceCount);
        LoadPieceImage(index, text(media::pieceBaseNames[i]), true);
    }
    loadInto(Pictures.engineWhite(), text(media::engineWhitePicture));
    loadInto(Pictures.engineBlack(), text(media::engineBlackPicture));
}
