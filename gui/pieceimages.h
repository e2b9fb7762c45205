// The piece image set and the engine pictures: loaded once, drawn by the board and the captions.
#pragma once

#include "core/board.h"

#include <QPixmap>
#include <QString>

#include <array>
#include <memory>

// A fixed number of pictures whose storage is made on first use: a pixmap may only exist once
// the application does, and the set is program-wide.
template <std::size_t N> class LazyPixmaps {
public:
    QPixmap& operator[](std::size_t index) { return items().at(index); }
    const QPixmap& operator[](std::size_t index) const { return items().at(index); }
    static constexpr std::size_t size() { return N; }

private:
    std::array<QPixmap, N>& items() const
    {
        if (!storage)
            storage = std::make_unique<std::array<QPixmap, N>>();
        return *storage;
    }
    mutable std::unique_ptr<std::array<QPixmap, N>> storage;
};

struct PictureSet {
    LazyPixmaps<PieceImageCount> pieces; // imgPieces(0..27)
    LazyPixmaps<2> engines;              // the engine's pictures for White and Black
    QPixmap& engineWhite() { return engines[0]; }
    QPixmap& engineBlack() { return engines[1]; }
    int generation = 0; // grows with every picture loaded, so views know to rescale
};

// The program's pictures; empty until loaded.
extern PictureSet Pictures;

// Loads IMAGES/<name>.GIF into index and, with the flag, <name>S.GIF into index + 13. A file that
// cannot be read leaves its picture unchanged.
void LoadPieceImage(int index, const QString& baseName, bool withHighlight);
// The start-up loading: the thirteen pieces with their highlighted versions, the two mated kings,
// and the engine pictures ENGINEW.GIF and ENGINEB.GIF.
void LoadPieceImages();
