#include "gui/frmpromotion.h"

#include "gui/frmmain.h"
#include "gui/pieceimages.h"
#include "gui/topmost.h"
#include "kessrin/encoding.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

frmPromotion::frmPromotion(int side, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPromotion"));
    setWindowTitle(QStringLiteral("Promotion"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    // Pictures 2..5 are White's queen, rook, bishop and knight; 8..11 Black's.
    const int firstPicture = side == White ? 2 : 8;
    static const char* const names[] = {"Queen", "Rook", "Bishop", "Knight"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("btnPiece%1").arg(i));
        const QPixmap& picture = Pictures.pieces[static_cast<std::size_t>(firstPicture + i)];
        if (picture.isNull())
            button->setText(QString::fromLatin1(names[i]));
        else
            button->setIcon(QIcon(picture));
        button->setIconSize(QSize(48, 48));
        button->setToolTip(QString::fromLatin1(names[i]));
        button->setProperty("picture", firstPicture + i);
        connect(button, &QToolButton::clicked, this, [this, i] { btnPiece_Click(i); });
        layout->addWidget(button);
        buttons[static_cast<std::size_t>(i)] = button;
    }
    applyTopMost(*this);
}

void frmPromotion::btnPiece_Click(int index)
{
    chosen = index;
    accept();
}
