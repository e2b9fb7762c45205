#include "gui/boardview.h"

#include "core/gamerecord.h"
#include "gui/pieceimages.h"
#include "shell/settings.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QToolTip>

namespace {

QPointer<BoardView> mainView;

constexpr int DefaultCell = 40;   // pixels of a square at the board's natural size
constexpr int TwipsPerPixel = 15; // at 96 dpi

// Light and dark squares drawn when no board picture could be read.
const QColor FallbackLight(0xEE, 0xDD, 0xBB);
const QColor FallbackDark(0xAA, 0x88, 0x66);

} // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgBoard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardView::setCellPicture(int image, int picture)
{
    if (image < 0 || image >= 64 || picture < 0 || picture >= PieceImageCount)
        return;
    cells[static_cast<std::size_t>(image)] = picture;
    update(cellRect(image));
}

void BoardView::setRaised(int image, int dx)
{
    raised = image >= 0 && image < 64 ? image : -1;
    raisedDx = raised < 0 ? 0 : dx;
    update();
}

void BoardView::setRaisedTwips(int image, int dxTwips)
{
    setRaised(image,
              qRound(static_cast<double>(dxTwips) * cellSize() / (TwipsPerPixel * DefaultCell)));
}

bool BoardView::setBoardPicture(const QString& path)
{
    QPixmap loaded;
    if (!loaded.load(path))
        return false;
    board = loaded;
    scaledBoardPicture = QPixmap();
    update();
    return true;
}

void BoardView::setBoardPixmap(const QPixmap& picture)
{
    board = picture;
    scaledBoardPicture = QPixmap();
    update();
}

void BoardView::setCaptions(const std::array<QString, 64>& texts)
{
    captions = texts;
    captionPixmap = QPixmap();
    if (showCaptions)
        update();
}

void BoardView::setCaptionsShown(bool shown)
{
    showCaptions = shown;
    update();
}

int BoardView::cellSize() const
{
    return std::min(width(), height()) / 8;
}

QRect BoardView::boardRect() const
{
    const int side = 8 * cellSize();
    return {(width() - side) / 2, (height() - side) / 2, side, side};
}

QRect BoardView::cellRect(int image) const
{
    const int cell = cellSize();
    const QRect area = boardRect();
    return {area.left() + (image % 8) * cell, area.top() + (image / 8) * cell, cell, cell};
}

int BoardView::imageAt(QPoint point) const
{
    const int cell = cellSize();
    const QRect area = boardRect();
    if (cell <= 0 || !area.contains(point))
        return -1;
    return (point.y() - area.top()) / cell * 8 + (point.x() - area.left()) / cell;
}

const QPixmap& BoardView::scaledPiece(int picture, int size)
{
    if (size != scaledPieceSize || Pictures.generation != scaledGeneration) {
        scaledPieces.fill(QPixmap());
        scaledPieceSize = size;
        scaledGeneration = Pictures.generation;
    }
    QPixmap& scaled = scaledPieces[static_cast<std::size_t>(picture)];
    const QPixmap& original = Pictures.pieces[static_cast<std::size_t>(picture)];
    if (scaled.isNull() && !original.isNull()) {
        const qreal ratio = devicePixelRatioF();
        const int pixels = qRound(size * ratio);
        scaled = original.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
    }
    return scaled;
}

const QPixmap& BoardView::scaledBoard(QSize size)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size * ratio;
    if (!board.isNull() && scaledBoardPicture.size() != pixels) {
        scaledBoardPicture = board.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaledBoardPicture.setDevicePixelRatio(ratio);
    }
    return scaledBoardPicture;
}

const QPixmap& BoardView::captionLayer(int cell)
{
    // Text is the slowest thing on the board, so the 64 captions are drawn once into a
    // transparent layer and reused until the texts or the square size change.
    const qreal ratio = devicePixelRatioF();
    const int pixels = qRound(8 * cell * ratio);
    if (!captionPixmap.isNull() && captionPixmap.width() == pixels)
        return captionPixmap;
    captionPixmap = QPixmap(pixels, pixels);
    captionPixmap.setDevicePixelRatio(ratio);
    captionPixmap.fill(Qt::transparent);
    QPainter painter(&captionPixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = this->font();
    font.setPixelSize(std::max(9, cell / 6));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    // Small, in the lower left corner where the pieces' bases leave the square free, on a
    // translucent backing that keeps the name readable on light and dark squares alike.
    const int inset = std::max(1, cell / 30);
    for (int i = 0; i < 64; ++i) {
        const QString& name = captions[static_cast<std::size_t>(i)];
        if (name.isEmpty())
            continue;
        const QRect square(i % 8 * cell, i / 8 * cell, cell, cell);
        QRect backing(0, 0, metrics.horizontalAdvance(name) + 2 * inset, metrics.height());
        backing.moveBottomLeft(square.bottomLeft() + QPoint(inset, -inset));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 165));
        painter.drawRoundedRect(backing, inset + 1, inset + 1);
        painter.setPen(QColor(255, 255, 240));
        painter.drawText(backing, Qt::AlignCenter, name);
    }
    return captionPixmap;
}

void BoardView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int cell = cellSize();
    if (cell <= 0)
        return;
    const QRect area = boardRect();

    if (board.isNull()) {
        for (int i = 0; i < 64; ++i)
            painter.fillRect(cellRect(i), (i / 8 + i % 8) % 2 ? FallbackDark : FallbackLight);
    } else {
        painter.drawPixmap(area.topLeft(), scaledBoard(area.size()));
    }

    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    auto drawCell = [&](int image, int dx) {
        const QPixmap& piece = scaledPiece(cells[static_cast<std::size_t>(image)], cell);
        if (!piece.isNull())
            painter.drawPixmap(cellRect(image).topLeft() + QPoint(dx, 0), piece);
    };
    for (int i = 0; i < 64; ++i) {
        if (i != raised)
            drawCell(i, 0);
    }

    if (showCaptions)
        painter.drawPixmap(area.topLeft(), captionLayer(cell));

    // The shaken image lies above its neighbours and leaves the board visible at its place.
    if (raised >= 0)
        drawCell(raised, raisedDx);

    painter.setPen(QColor(40, 30, 20));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    const int image = imageAt(event->position().toPoint());
    if (image >= 0)
        emit squareClicked(image, event->button());
    event->accept();
}

bool BoardView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int image = imageAt(help->pos());
        if (image >= 0 && !captions[static_cast<std::size_t>(image)].isEmpty()) {
            QToolTip::showText(help->globalPos(), captions[static_cast<std::size_t>(image)], this,
                               cellRect(image));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

BoardView* MainBoardView()
{
    return mainView.data();
}

void SetMainBoardView(BoardView* view)
{
    mainView = view;
}
