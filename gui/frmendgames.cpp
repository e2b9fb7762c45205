#include "gui/frmendgames.h"

#include "gui/pieceimages.h"
#include "gui/topmost.h"
#include "shell/appstate.h"
#include "shell/media_catalog.h"
#include "shell/settings.h"
#include "study/puzzles.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int MiniSquare = 30; // pixels of one preview square
constexpr int MiniPictureCount = 13;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The mini piece pictures: the piece image set scaled once to the preview's squares, so that
// they follow whatever set the board shows.
const QPixmap& miniPicture(int index)
{
    static LazyPixmaps<MiniPictureCount> minis;
    static int madeFrom = -1;
    if (madeFrom != Pictures.generation) {
        for (std::size_t i = 1; i < MiniPictureCount; ++i) {
            const QPixmap& full = Pictures.pieces[i];
            minis[i] = full.isNull() ? QPixmap()
                                     : full.scaled(MiniSquare, MiniSquare, Qt::KeepAspectRatio,
                                                   Qt::SmoothTransformation);
        }
        madeFrom = Pictures.generation;
    }
    return minis[static_cast<std::size_t>(index)];
}

// The board under the pieces: the chosen board picture scaled, or two plain colours.
QPixmap previewBoard()
{
    const int side = 8 * MiniSquare;
    const int index =
        std::clamp<int>(Cfg.Board, 0, static_cast<int>(media::boardPictures.size()) - 1);
    const QPixmap picture(App.ProgramFolder + fromView(media::imagesFolder) +
                          fromView(media::boardPictures[static_cast<std::size_t>(index)]));
    if (!picture.isNull())
        return picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap plain(side, side);
    QPainter painter(&plain);
    for (int image = 0; image < 64; ++image)
        painter.fillRect((image % 8) * MiniSquare, (image / 8) * MiniSquare, MiniSquare, MiniSquare,
                         (image % 8 + image / 8) % 2 ? QColor(181, 136, 99)
                                                     : QColor(240, 217, 181));
    return plain;
}

} // namespace

frmEndgames::frmEndgames(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEndgames"));
    setModal(true);
    resize(640, 420);

    auto* layout = new QHBoxLayout(this);
    lstGames = new QListWidget(this);
    lstGames->setObjectName(QStringLiteral("lstGames"));
    lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(lstGames, 1);

    auto* side = new QVBoxLayout;
    imgBoard = new QLabel(this);
    imgBoard->setObjectName(QStringLiteral("imgBoard"));
    imgBoard->setFixedSize(8 * MiniSquare, 8 * MiniSquare);
    imgBoard->setPixmap(previewBoard());
    auto* squares = new QGridLayout(imgBoard);
    squares->setContentsMargins(0, 0, 0, 0);
    squares->setSpacing(0);
    for (int image = 0; image < 64; ++image) {
        auto* square = new QLabel(imgBoard);
        square->setFixedSize(MiniSquare, MiniSquare);
        square->setAlignment(Qt::AlignCenter);
        square->setProperty("picture", 0);
        squares->addWidget(square, image / 8, image % 8);
        imgSquares[static_cast<std::size_t>(image)] = square;
    }
    side->addWidget(imgBoard, 0, Qt::AlignHCenter);

    auto* titleRow = new QHBoxLayout;
    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    const QPixmap icon(App.ProgramFolder + QStringLiteral("IMAGES/ICONW.PNG"));
    if (!icon.isNull())
        imgIcon->setPixmap(icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    titleRow->addWidget(imgIcon, 0, Qt::AlignTop);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setWordWrap(true);
    lblTitle->setFixedWidth(8 * MiniSquare - 40);
    titleRow->addWidget(lblTitle, 1);
    side->addLayout(titleRow);
    side->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnConfirm = new QPushButton(QStringLiteral("OK"), this);
    btnConfirm->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnConfirm);
    buttons->addWidget(btnCancel);
    side->addLayout(buttons);
    layout->addLayout(side);

    connect(lstGames, &QListWidget::currentRowChanged, this, &frmEndgames::lstGames_Click);
    connect(lstGames, &QListWidget::itemDoubleClicked, this, &frmEndgames::btnConfirm_Click);
    connect(btnConfirm, &QPushButton::clicked, this, &frmEndgames::btnConfirm_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmEndgames::btnCancel_Click);
    applyTopMost(*this);
}

void frmEndgames::Form_Load(const QString& caption, const QStringList& titles, int selected)
{
    loaded = false;
    setWindowTitle(caption);
    lstGames->clear();
    lstGames->addItems(titles);
    loaded = true;
    lstGames->setCurrentRow(std::clamp<int>(selected, 0, std::max<int>(0, titles.size() - 1)));
    lstGames->scrollToItem(lstGames->currentItem(), QAbstractItemView::PositionAtCenter);
    btnConfirm->setEnabled(lstGames->currentRow() >= 0);
    lstGames->setFocus();
}

int frmEndgames::previewPicture(int image) const
{
    return imgSquares[static_cast<std::size_t>(image)]->property("picture").toInt();
}

void frmEndgames::showPreview(const std::array<int, 64>& pictures)
{
    for (int image = 0; image < 64; ++image) {
        QLabel* square = imgSquares[static_cast<std::size_t>(image)];
        const int picture = pictures[static_cast<std::size_t>(image)];
        square->setProperty("picture", picture);
        square->setPixmap(picture > 0 ? miniPicture(picture) : QPixmap());
    }
}

void frmEndgames::lstGames_Click()
{
    if (!loaded)
        return;
    const int row = lstGames->currentRow();
    showPreview(::lstGames_Click(row));
    lblTitle->setText(row >= 0 ? lstGames->item(row)->text() : QString());
}

void frmEndgames::btnConfirm_Click()
{
    if (lstGames->currentRow() < 0)
        return;
    chosen = lstGames->currentRow();
    accept();
}

void frmEndgames::btnCancel_Click()
{
    chosen = -1;
    reject();
}

int ShowEndgamesDialog(QWidget* owner, const QString& caption, const QStringList& titles,
                       int selected)
{
    frmEndgames dialog(owner);
    dialog.Form_Load(caption, titles, selected);
    dialog.exec();
    return dialog.choice();
}
