#include "gui/frmposedit.h"

#include "core/board.h"
#include "core/gamerecord.h"
#include "files/positions.h"
#include "gui/boardview.h"
#include "gui/pieceimages.h"
#include "gui/topmost.h"
#include "gui/updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int PaletteSize = 40; // pixels of a palette picture
const char* const PaletteKeys = "KQRBNPkqrbnp";
// Position of a key in this table, less one, is the piece code it selects.
const QString ShortcutTable = QStringLiteral("        KQRBNP  kqrbnp  ");

int paletteCode(int index)
{
    return index < 6 ? index + 8 : index + 10;
}

int paletteIndex(int code)
{
    return code < 16 ? code - 8 : code - 10;
}

int imageOfEditSquare(int square)
{
    return RowOf(square) * 8 + FileOf(square) - 4;
}

int squareOfEditImage(int index)
{
    return MakeSquare(index % 8 + 4, index / 8);
}

QString fenOf(const RulesBoard& board)
{
    const std::string text = KessrinBoard2Fen(board);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

frmPosEdit::frmPosEdit(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPosEdit"));
    setWindowTitle(QStringLiteral("Edit Position"));
    setModal(true);

    imgBoard = new BoardView(this);
    imgBoard->setMinimumSize(8 * 40, 8 * 40);
    connect(imgBoard, &BoardView::squareClicked, this, [this](int image, Qt::MouseButton button) {
        imgSquares_MouseDown(image, button);
        // The letters keep choosing pieces while the mouse places them.
        btnShortCut->setFocus();
    });

    frmPieces = new QGroupBox(QStringLiteral("Available Pieces"), this);
    auto* paletteLayout = new QGridLayout(frmPieces);
    for (int i = 0; i < 12; ++i) {
        imgPieces[i] = new QLabel(frmPieces);
        imgPieces[i]->setObjectName(QStringLiteral("imgPieces%1").arg(i));
        imgPieces[i]->setFixedSize(PaletteSize, PaletteSize);
        imgPieces[i]->setToolTip(
            QStringLiteral("Press %1 to select").arg(QChar::fromLatin1(PaletteKeys[i])));
        imgPieces[i]->setMouseTracking(true);
        imgPieces[i]->installEventFilter(this);
        paletteLayout->addWidget(imgPieces[i], i / 6, i % 6);
    }
    // Only a target for the keyboard: the letters choose palette pieces while it has the focus.
    btnShortCut = new QPushButton(this);
    btnShortCut->setObjectName(QStringLiteral("btnShortCut"));
    btnShortCut->setFlat(true);
    btnShortCut->setFixedSize(1, 1);
    btnShortCut->setAutoDefault(false);
    btnShortCut->installEventFilter(this);

    frmTurn = new QGroupBox(QStringLiteral("Turn to Move"), this);
    optWhiteMove = new QRadioButton(QStringLiteral("White"), frmTurn);
    optWhiteMove->setObjectName(QStringLiteral("optWhiteMove"));
    optBlackMove = new QRadioButton(QStringLiteral("Black"), frmTurn);
    optBlackMove->setObjectName(QStringLiteral("optBlackMove"));
    txtCounter = new QLineEdit(frmTurn);
    txtCounter->setObjectName(QStringLiteral("txtCounter"));
    txtCounter->setFixedWidth(48);
    updnCounter = makeUpDown("updnCounter", 1, MaxMoveNumber - 1, frmTurn);
    updnCounter->setStyleSheet(
        QStringLiteral("QSpinBox { color: transparent; selection-color: transparent; "
                       "selection-background-color: transparent; }"));
    lblDot = new QLabel(QStringLiteral("."), frmTurn);
    lblEnPassant = new QLabel(QStringLiteral("En passant target"), frmTurn);
    cmbEnpassant = new QComboBox(frmTurn);
    cmbEnpassant->setObjectName(QStringLiteral("cmbEnpassant"));
    auto* turnLayout = new QGridLayout(frmTurn);
    turnLayout->addWidget(optWhiteMove, 0, 0);
    turnLayout->addWidget(optBlackMove, 0, 1);
    auto* counterRow = new QHBoxLayout;
    counterRow->setSpacing(0);
    counterRow->addWidget(txtCounter);
    counterRow->addWidget(updnCounter);
    counterRow->addWidget(lblDot);
    counterRow->addStretch();
    turnLayout->addLayout(counterRow, 0, 2);
    turnLayout->addWidget(lblEnPassant, 1, 0, 1, 2);
    turnLayout->addWidget(cmbEnpassant, 1, 2);

    frmCastling = new QGroupBox(QStringLiteral("Castling Availability"), this);
    lblWhite = new QLabel(QStringLiteral("White"), frmCastling);
    lblBlack = new QLabel(QStringLiteral("Black"), frmCastling);
    auto* castlingLayout = new QGridLayout(frmCastling);
    castlingLayout->addWidget(lblWhite, 0, 0);
    castlingLayout->addWidget(lblBlack, 1, 0);
    for (int i = 0; i < 4; ++i) {
        chkCastling[i] = new QCheckBox(
            i % 2 == 0 ? QStringLiteral("Kingside") : QStringLiteral("Queenside"), frmCastling);
        chkCastling[i]->setObjectName(QStringLiteral("chkCastling%1").arg(i));
        castlingLayout->addWidget(chkCastling[i], i / 2, 1 + i % 2);
    }

    txtFen = new QLineEdit(this);
    txtFen->setObjectName(QStringLiteral("txtFen"));
    btnClear = new QPushButton(QStringLiteral("Clear Board"), this);
    btnClear->setObjectName(QStringLiteral("btnClear"));
    btnFlip = new QPushButton(QStringLiteral("Flip Board"), this);
    btnFlip->setObjectName(QStringLiteral("btnFlip"));
    btnConfirm = new QPushButton(QStringLiteral("OK"), this);
    btnConfirm->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* button : {btnClear, btnFlip, btnCancel})
        button->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(frmPieces);
    side->addWidget(frmTurn);
    side->addWidget(frmCastling);
    side->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(btnClear);
    buttonRow->addWidget(btnFlip);
    buttonRow->addStretch();
    buttonRow->addWidget(btnShortCut);
    buttonRow->addWidget(btnConfirm);
    buttonRow->addWidget(btnCancel);
    side->addLayout(buttonRow);
    auto* top = new QHBoxLayout;
    top->addWidget(imgBoard, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(txtFen);

    connect(txtFen, &QLineEdit::textChanged, this, [this] { txtFen_Change(); });
    for (int i = 0; i < 4; ++i)
        connect(chkCastling[i], &QCheckBox::clicked, this, [this, i] { chkCastling_Click(i); });
    connect(cmbEnpassant, &QComboBox::activated, this, [this] { cmbEnpassant_Click(); });
    connect(optWhiteMove, &QRadioButton::clicked, this, [this] { optWhiteMove_Click(); });
    connect(optBlackMove, &QRadioButton::clicked, this, [this] { optBlackMove_Click(); });
    connect(txtCounter, &QLineEdit::textChanged, this, [this] { txtCounter_Change(); });
    stepBox(updnCounter, txtCounter);
    connect(btnClear, &QPushButton::clicked, this, [this] { btnClear_Click(); });
    connect(btnFlip, &QPushButton::clicked, this, [this] { btnFlip_Click(); });
    connect(btnConfirm, &QPushButton::clicked, this, [this] { btnConfirm_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

void frmPosEdit::Form_Load()
{
    Loaded = false;
    EditMoveNumber = Game.MoveNumber;
    EditSelSquare = 0;
    EditSelPiece = 0;
    const int mask = CastlingMaskOf(Game.Board);
    const int enPassant = EnPassantOf(Game.Board);
    // Read afresh from the position alone: the game's undo history and its count of reversible
    // moves must not follow the position into the new game.
    KessrinFen2Board(EditBoard, KessrinBoard2Fen(Game.Board));
    KessrinSetIrrev(EditBoard, mask, enPassant);
    if (BoardView* main = MainBoardView())
        imgBoard->setBoardPixmap(main->boardPicture());
    cmbEnpassant->clear();
    cmbEnpassant->addItem(QStringLiteral("(None)"));
    for (int column = 4; column < 12; ++column) {
        const QChar file = QLatin1Char(FileLetter(column));
        cmbEnpassant->addItem(QString(file) + QStringLiteral("3/") + file + QLatin1Char('6'));
    }
    DrawEditBoard();
    ShowEditFen();
    ShowEditState();
    Loaded = true;
    applyTopMost(*this);
}

void frmPosEdit::ShowEditState()
{
    const bool wasLoaded = Loaded;
    Loaded = false;
    optWhiteMove->setChecked(EditBoard.side == White);
    optBlackMove->setChecked(EditBoard.side == Black);
    txtCounter->setText(QString::number(EditMoveNumber));
    {
        const QSignalBlocker quiet(updnCounter);
        updnCounter->setValue(EditMoveNumber);
    }
    const int mask = CastlingMaskOf(EditBoard);
    for (int i = 0; i < 4; ++i)
        chkCastling[i]->setChecked((mask & (1 << i)) != 0);
    const int enPassant = EnPassantOf(EditBoard);
    cmbEnpassant->setCurrentIndex(enPassant == 0 ? 0 : enPassant - 3);
    Loaded = wasLoaded;
}

void frmPosEdit::DrawEditSquare(int square, bool highlighted)
{
    imgBoard->setCellPicture(imageOfEditSquare(square), PieceImageIndex(EditBoard.squares[square]) +
                                                            (highlighted ? HighlightOffset : 0));
}

void frmPosEdit::DrawPalettePiece(int code, bool highlighted)
{
    const int index = paletteIndex(code);
    if (index < 0 || index >= 12)
        return;
    const int picture = PieceImageIndex(code) + (highlighted ? HighlightOffset : 0);
    paletteShown[index] = picture;
    const QPixmap& pixmap = Pictures.pieces[static_cast<std::size_t>(picture)];
    if (pixmap.isNull())
        imgPieces[index]->clear();
    else
        imgPieces[index]->setPixmap(
            pixmap.scaled(PaletteSize, PaletteSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void frmPosEdit::DrawEditBoard()
{
    for (int row = 0; row < 8; ++row)
        for (int column = 4; column < 12; ++column)
            DrawEditSquare(MakeSquare(column, row), false);
    for (int i = 0; i < 12; ++i)
        DrawPalettePiece(paletteCode(i), false);
}

void frmPosEdit::ShowEditFen()
{
    EditFen = fenOf(EditBoard) + QStringLiteral(" 0 ") + QString::number(EditMoveNumber);
    txtFen->setText(EditFen);
}

void frmPosEdit::Deselect()
{
    if (EditSelSquare)
        DrawEditSquare(EditSelSquare, false);
    if (EditSelPiece)
        DrawPalettePiece(EditSelPiece, false);
    EditSelSquare = 0;
    EditSelPiece = 0;
}

void frmPosEdit::txtFen_Change()
{
    if (!Loaded)
        return;
    QString text = txtFen->text();
    if (text == EditFen)
        return;
    EditSelSquare = 0;
    EditSelPiece = 0;
    // Several pasted lines keep the first.
    if (const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        end >= 0) {
        text = text.left(end);
        EditFen = text;
        txtFen->setText(text); // fires once more, now to no effect
    }
    EditFen = text;
    KessrinFen2Board(EditBoard, EditFen.toStdString());
    EditMoveNumber = FenMoveNumber(EditFen);
    DrawEditBoard();
    ShowEditState();
}

void frmPosEdit::chkCastling_Click(int index)
{
    if (!Loaded)
        return;
    const int mask = CastlingMaskOf(EditBoard);
    const bool ticked = chkCastling[index]->isChecked();
    if (ticked == ((mask & (1 << index)) != 0))
        return;
    KessrinSetIrrev(EditBoard, ticked ? mask | (1 << index) : mask & ~(1 << index),
                    EnPassantOf(EditBoard));
    ShowEditFen();
}

void frmPosEdit::cmbEnpassant_Click()
{
    if (!Loaded)
        return;
    const int item = cmbEnpassant->currentIndex();
    const int value = item <= 0 ? 0 : item + 3;
    if (value == EnPassantOf(EditBoard))
        return;
    KessrinSetIrrev(EditBoard, CastlingMaskOf(EditBoard), value);
    ShowEditFen();
}

void frmPosEdit::optWhiteMove_Click()
{
    if (!Loaded || EditBoard.side != Black)
        return;
    KessrinChangeSide(EditBoard);
    ShowEditFen();
}

void frmPosEdit::optBlackMove_Click()
{
    if (!Loaded || EditBoard.side != White)
        return;
    KessrinChangeSide(EditBoard);
    ShowEditFen();
}

void frmPosEdit::txtCounter_Change()
{
    if (!Loaded)
        return;
    if (acceptBoxText(txtCounter, updnCounter, EditMoveNumber, 1, MaxMoveNumber - 1))
        ShowEditFen();
}

void frmPosEdit::imgSquares_MouseDown(int index, Qt::MouseButton button)
{
    if (index < 0 || index >= 64)
        return;
    const int square = squareOfEditImage(index);
    if (button == Qt::RightButton) {
        Deselect();
        if (EditBoard.squares[square]) {
            KessrinDelPiece(EditBoard, square, EditBoard.squares[square]);
            DrawEditSquare(square, false);
            ShowEditFen();
        }
        return;
    }
    if (button != Qt::LeftButton)
        return;
    if (!EditSelSquare && !EditSelPiece) {
        if (EditBoard.squares[square]) {
            EditSelSquare = square;
            DrawEditSquare(square, true);
        }
        return;
    }
    int piece = EditSelPiece;
    if (!piece) {
        piece = EditBoard.squares[EditSelSquare];
        KessrinDelPiece(EditBoard, EditSelSquare, piece);
    }
    if (EditBoard.squares[square])
        KessrinDelPiece(EditBoard, square, EditBoard.squares[square]);
    KessrinAddPiece(EditBoard, square, piece);
    if (EditSelPiece)
        DrawPalettePiece(EditSelPiece, false);
    if (EditSelSquare)
        DrawEditSquare(EditSelSquare, false);
    DrawEditSquare(square, false);
    EditSelSquare = 0;
    EditSelPiece = 0;
    ShowEditFen();
}

void frmPosEdit::imgPieces_MouseDown(int index)
{
    if (index < 0 || index >= 12)
        return;
    if (EditSelSquare) {
        // The palette is the bin for a piece picked up on the board.
        KessrinDelPiece(EditBoard, EditSelSquare, EditBoard.squares[EditSelSquare]);
        DrawEditSquare(EditSelSquare, false);
        EditSelSquare = 0;
        ShowEditFen();
        return;
    }
    const int code = paletteCode(index);
    if (code == EditSelPiece) {
        DrawPalettePiece(code, false);
        EditSelPiece = 0;
        return;
    }
    if (EditSelPiece)
        DrawPalettePiece(EditSelPiece, false);
    EditSelPiece = code;
    DrawPalettePiece(code, true);
}

void frmPosEdit::imgPieces_MouseMove()
{
    btnShortCut->setFocus();
}

void frmPosEdit::btnShortCut_KeyPress(QChar key)
{
    const qsizetype at = ShortcutTable.indexOf(key);
    if (key == QLatin1Char(' ') || at < 0)
        return;
    const int code = static_cast<int>(at);
    if (EditSelSquare) {
        DrawEditSquare(EditSelSquare, false);
        EditSelSquare = 0;
    }
    if (code == EditSelPiece)
        return;
    if (EditSelPiece)
        DrawPalettePiece(EditSelPiece, false);
    EditSelPiece = code;
    DrawPalettePiece(code, true);
}

void frmPosEdit::btnClear_Click()
{
    KessrinClearBoard(EditBoard);
    KessrinSetIrrev(EditBoard, 0, 0);
    Loaded = false;
    for (QCheckBox* box : chkCastling)
        box->setChecked(false);
    // The cleared board has no en-passant target either; the list says so.
    cmbEnpassant->setCurrentIndex(0);
    Loaded = true;
    EditSelSquare = 0;
    EditSelPiece = 0;
    DrawEditBoard();
    ShowEditFen();
}

void frmPosEdit::btnFlip_Click()
{
    std::array<int, 128> pieces{};
    for (int square = 0; square < 128; ++square) {
        if (!OnBoard(square) || !EditBoard.squares[square])
            continue;
        pieces[static_cast<std::size_t>(square)] = EditBoard.squares[square];
        KessrinDelPiece(EditBoard, square, EditBoard.squares[square]);
    }
    for (int square = 0; square < 128; ++square)
        if (const int piece = pieces[static_cast<std::size_t>(square)])
            KessrinAddPiece(EditBoard, FlipSquare(square), piece);
    EditSelSquare = 0;
    EditSelPiece = 0;
    DrawEditBoard();
    ShowEditFen();
}

void frmPosEdit::btnConfirm_Click()
{
    if (StartFromEditedPosition(EditBoard, EditMoveNumber, EditFen))
        accept();
}

void frmPosEdit::btnCancel_Click()
{
    reject();
}

bool frmPosEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == btnShortCut && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && QString::fromLatin1(PaletteKeys).contains(text[0])) {
            btnShortCut_KeyPress(text[0]);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    for (int i = 0; i < 12; ++i) {
        if (watched != imgPieces[i])
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            imgPieces_MouseDown(i);
            btnShortCut->setFocus();
            return true;
        }
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            imgPieces_MouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

void ShowPosEditDialog(QWidget* owner)
{
    frmPosEdit dialog(owner);
    dialog.Form_Load();
    dialog.exec();
}
