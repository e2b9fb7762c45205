// The "Promotion" dialog: four buttons with the queen, rook, bishop and knight of a side.
#pragma once

#include <QDialog>

#include <array>

class QToolButton;

class frmPromotion : public QDialog {
    Q_OBJECT
public:
    // The buttons show the pieces of side; the dialog follows the TopMost option.
    explicit frmPromotion(int side, QWidget* parent = nullptr);

    // 0 queen, 1 rook, 2 bishop, 3 knight; 0 until a button is chosen.
    int choice() const { return chosen; }
    QToolButton* btnPiece(int index) const { return buttons.at(static_cast<std::size_t>(index)); }

private:
    void btnPiece_Click(int index);

    std::array<QToolButton*, 4> buttons{};
    int chosen = 0;
};
