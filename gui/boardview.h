// The board: one widget painting the board picture with 64 square images on top, and the
// procedures that draw the game record's position into it.
#pragma once

#include "core/board.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

// The 64 square images ("imgSquares"), numbered row by row from the top left corner, each
// showing one picture of the piece image set, over the board picture.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    // Picture index (0..27) shown by image 0..63.
    int cellPicture(int image) const { return cells.at(static_cast<std::size_t>(image)); }
    void setCellPicture(int image, int picture);

    // Draws one image displaced horizontally by dx pixels, above the others; -1 puts it back.
    void setRaised(int image, int dx);
    // The same, with dx in twips of the board's natural square size, so shakes scale with it.
    void setRaisedTwips(int image, int dxTwips);
    int raisedImage() const { return raised; }
    int raisedOffset() const { return raisedDx; }

    // Replaces the board picture; false (and no change) when the file cannot be read.
    bool setBoardPicture(const QString& path);
    const QPixmap& boardPicture() const { return board; }
    // Takes another board's picture.
    void setBoardPixmap(const QPixmap& picture);

    // Caption and tooltip text of each image.
    void setCaptions(const std::array<QString, 64>& texts);
    QString caption(int image) const { return captions.at(static_cast<std::size_t>(image)); }
    void setCaptionsShown(bool shown);
    bool captionsShown() const { return showCaptions; }

    // Edge of one square in pixels: the largest whole size that fits eight in both directions.
    int cellSize() const;
    // Where the board lies in the widget, centred.
    QRect boardRect() const;
    QRect cellRect(int image) const;
    // The image under a point of the widget, or -1 outside the board.
    int imageAt(QPoint point) const;

    QSize sizeHint() const override { return {8 * 40, 8 * 40}; }
    QSize minimumSizeHint() const override { return {8 * 16, 8 * 16}; }

signals:
    // A mouse button went down on image 0..63.
    void squareClicked(int imageIndex, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    const QPixmap& scaledPiece(int picture, int size);
    const QPixmap& scaledBoard(QSize size);
    const QPixmap& captionLayer(int cell);

    std::array<int, 64> cells{};
    std::array<QString, 64> captions;
    bool showCaptions = false;
    int raised = -1;
    int raisedDx = 0;
    QPixmap board;

    // Pictures scaled for the current square size, rebuilt when either changes.
    std::array<QPixmap, 28> scaledPieces;
    int scaledPieceSize = -1;
    int scaledGeneration = -1;
    QPixmap scaledBoardPicture;
    QPixmap captionPixmap; // the captions drawn for the current square size; null = redraw
};

// The main window's board, or nullptr before ConnectBoardCommands installs it.
BoardView* MainBoardView();
void SetMainBoardView(BoardView* view);
