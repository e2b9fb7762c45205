// The position editor "Edit Position": a private copy of the position, edited with the mouse,
// the keyboard or as FEN text, that starts a new game when confirmed.
#pragma once

#include "kessrin.h"

#include <QDialog>

class BoardView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class frmPosEdit : public QDialog {
    Q_OBJECT
public:
    explicit frmPosEdit(QWidget* parent = nullptr);

    // Takes the displayed position of the game and fills the controls from it.
    void Form_Load();

    void txtFen_Change();
    void chkCastling_Click(int index);
    void cmbEnpassant_Click();
    void optWhiteMove_Click();
    void optBlackMove_Click();
    void txtCounter_Change();
    void imgSquares_MouseDown(int index, Qt::MouseButton button);
    void imgPieces_MouseDown(int index);
    void imgPieces_MouseMove();
    void btnShortCut_KeyPress(QChar key);
    void btnClear_Click();
    void btnFlip_Click();
    // Starts the game from the position; a position that cannot be played keeps the window open.
    void btnConfirm_Click();
    void btnCancel_Click();

    // The picture shown by palette image 0..11.
    int palettePicture(int index) const { return paletteShown[index]; }

    RulesBoard EditBoard{};
    int EditMoveNumber = 1;
    QString EditFen;
    int EditSelSquare = 0;
    int EditSelPiece = 0;
    bool Loaded = false;

    BoardView* imgBoard = nullptr;
    QGroupBox* frmPieces = nullptr;
    QLabel* imgPieces[12] = {};
    QPushButton* btnShortCut = nullptr;
    QGroupBox* frmTurn = nullptr;
    QRadioButton* optWhiteMove = nullptr;
    QRadioButton* optBlackMove = nullptr;
    QLineEdit* txtCounter = nullptr;
    QSpinBox* updnCounter = nullptr;
    QLabel* lblDot = nullptr;
    QLabel* lblEnPassant = nullptr;
    QComboBox* cmbEnpassant = nullptr;
    QGroupBox* frmCastling = nullptr;
    QLabel* lblWhite = nullptr;
    QLabel* lblBlack = nullptr;
    QCheckBox* chkCastling[4] = {};
    QLineEdit* txtFen = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnFlip = nullptr;
    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawEditSquare(int square, bool highlighted);
    void DrawPalettePiece(int code, bool highlighted);
    void DrawEditBoard();
    void ShowEditFen();
    // Side, move number, castling boxes and en-passant list from EditBoard and EditMoveNumber.
    void ShowEditState();
    void Deselect();

    int paletteShown[12] = {};
};

// Opens the position editor modally over owner.
void ShowPosEditDialog(QWidget* owner);
