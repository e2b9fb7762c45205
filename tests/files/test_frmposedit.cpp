// The position editor: the position it starts from, mouse and keyboard editing, the controls
// kept in step with the position, and the game it starts.
#include "support/game_fixture.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "files/positions.h"
#include "gui/boardview.h"
#include "gui/frmposedit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>
#include <memory>

namespace {

// Board images of the editor: row by row from a8, White at the bottom.
int image(const char* name)
{
    return ('8' - name[1]) * 8 + (name[0] - 'a');
}

int square(const char* name)
{
    return MakeSquare(name[0] - 'a' + 4, '8' - name[1]);
}

class PosEditTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ResetMoveList();
    }
    void open()
    {
        editor = std::make_unique<frmPosEdit>();
        editor->Form_Load();
    }
    void click(const char* name, Qt::MouseButton button = Qt::LeftButton)
    {
        editor->imgSquares_MouseDown(image(name), button);
    }
    void pressKey(const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor->btnShortCut, &press);
    }
    void pressPalette(int index)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(editor->imgPieces[index], &press);
    }
    int piece(const char* name) const { return editor->EditBoard.squares[square(name)]; }
    QString fen() const { return editor->txtFen->text(); }
    std::unique_ptr<frmPosEdit> editor;
};

TEST_F(PosEditTest, OpensOnTheShownPositionWithItsControls)
{
    open();
    EXPECT_EQ(editor->windowTitle(), "Edit Position");
    EXPECT_EQ(fen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_TRUE(editor->optWhiteMove->isChecked());
    for (QCheckBox* box : editor->chkCastling)
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(editor->cmbEnpassant->count(), 9);
    EXPECT_EQ(editor->cmbEnpassant->itemText(1), "a3/a6");
    EXPECT_EQ(editor->cmbEnpassant->currentIndex(), 0);
    EXPECT_EQ(editor->imgBoard->cellPicture(image("a8")), PieceImageIndex(16 + Rook));
    EXPECT_EQ(editor->imgBoard->cellPicture(image("e1")), PieceImageIndex(8 + King));
    EXPECT_EQ(editor->imgPieces[0]->toolTip(), "Press K to select");
    EXPECT_EQ(editor->imgPieces[7]->toolTip(), "Press q to select");

    // White stays at the bottom on a rotated main board; the en-passant file is shown.
    playQuiet({"e4"});
    Game.Flipped = true;
    open();
    EXPECT_EQ(editor->imgBoard->cellPicture(image("e4")), PieceImageIndex(8 + Pawn));
    EXPECT_TRUE(editor->optBlackMove->isChecked());
    EXPECT_EQ(editor->cmbEnpassant->currentText(), "e3/e6");
    EXPECT_EQ(fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
}

TEST_F(PosEditTest, MouseMovesPlacesAndRemovesPieces)
{
    open();
    const QString start = fen();
    click("e5"); // empty, nothing selected: nothing happens
    EXPECT_EQ(editor->EditSelSquare, 0);
    click("e2");
    EXPECT_EQ(editor->EditSelSquare, square("e2"));
    EXPECT_EQ(editor->imgBoard->cellPicture(image("e2")), PieceImageIndex(8 + Pawn) + 13);
    click("e4");
    EXPECT_EQ(piece("e2"), 0);
    EXPECT_EQ(piece("e4"), 8 + Pawn);
    EXPECT_EQ(editor->imgBoard->cellPicture(image("e2")), 0);
    EXPECT_EQ(fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1");

    // A piece moved onto another replaces it.
    click("d1");
    click("d7");
    EXPECT_EQ(piece("d7"), 8 + Queen);
    EXPECT_EQ(piece("d1"), 0);

    // Right click on an empty square only clears the selections.
    pressPalette(1);
    EXPECT_EQ(editor->EditSelPiece, 8 + Queen);
    const QString before = fen();
    click("e5", Qt::RightButton);
    EXPECT_EQ(editor->EditSelPiece, 0);
    EXPECT_EQ(editor->palettePicture(1), PieceImageIndex(8 + Queen));
    EXPECT_EQ(fen(), before);
    // On a piece it removes it.
    click("a8", Qt::RightButton);
    EXPECT_EQ(piece("a8"), 0);

    // With a square picked up, the palette is the bin.
    click("h8");
    pressPalette(3);
    EXPECT_EQ(piece("h8"), 0);
    EXPECT_EQ(editor->EditSelSquare, 0);
    EXPECT_EQ(editor->EditSelPiece, 0);

    // A palette piece goes where the next click is; choosing it again drops the choice.
    pressPalette(10);
    click("c5");
    EXPECT_EQ(piece("c5"), 16 + Knight);
    pressPalette(10);
    pressPalette(10);
    EXPECT_EQ(editor->EditSelPiece, 0);
    EXPECT_NE(fen(), start);
}

TEST_F(PosEditTest, OnlyTheTwelveLettersChoosePieces)
{
    open();
    click("g1");
    pressKey("q");
    EXPECT_EQ(editor->EditSelPiece, 16 + Queen);
    EXPECT_EQ(editor->EditSelSquare, 0); // a picked square is let go
    EXPECT_EQ(editor->palettePicture(7), PieceImageIndex(16 + Queen) + 13);
    for (const char* other : {"x", "1", " ", "Z", "+"}) {
        pressKey(QString::fromLatin1(other));
        EXPECT_EQ(editor->EditSelPiece, 16 + Queen) << other;
    }
    pressKey("K");
    EXPECT_EQ(editor->EditSelPiece, 8 + King);
    EXPECT_EQ(editor->palettePicture(7), PieceImageIndex(16 + Queen));
    click("d4");
    EXPECT_EQ(piece("d4"), 8 + King);
}

TEST_F(PosEditTest, ControlsAndFenBoxFollowEachOther)
{
    open();
    editor->chkCastling[1]->click(); // White queen-side off
    editor->chkCastling[2]->click(); // Black king-side off
    EXPECT_EQ(CastlingMaskOf(editor->EditBoard), 0b1001);
    EXPECT_TRUE(fen().contains(" w Kq - "));
    editor->optBlackMove->click();
    EXPECT_TRUE(fen().contains(" b Kq - "));
    editor->txtCounter->setText("30");
    EXPECT_TRUE(fen().endsWith(" 0 30"));
    editor->txtCounter->setText("5000");
    EXPECT_EQ(editor->txtCounter->text(), "999");

    // A pasted text keeps its first line; a non-zero half-move clock gives move 1.
    editor->txtFen->setText("r3k2r/8/8/3pP3/8/8/8/R3K2R w Qk d6 4 20\nsecond line");
    EXPECT_EQ(fen(), "r3k2r/8/8/3pP3/8/8/8/R3K2R w Qk d6 4 20");
    EXPECT_EQ(editor->EditMoveNumber, 1);
    EXPECT_EQ(editor->txtCounter->text(), "1");
    EXPECT_TRUE(editor->optWhiteMove->isChecked());
    const bool expected[4] = {false, true, true, false};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(editor->chkCastling[i]->isChecked(), expected[i]) << i;
    EXPECT_EQ(editor->cmbEnpassant->currentText(), "d3/d6");
    EXPECT_EQ(piece("d5"), 16 + Pawn);

    // Pasted through the clipboard as another program would offer it.
    QGuiApplication::clipboard()->setText(
        "8/8/8/8/8/8/8/K6k b - - 0 7\r\n8/8/8/8/8/8/8/k6K w - - 0 9");
    editor->txtFen->selectAll();
    editor->txtFen->paste();
    EXPECT_EQ(fen(), "8/8/8/8/8/8/8/K6k b - - 0 7");
    EXPECT_EQ(editor->EditMoveNumber, 7);
    editor->txtFen->setText("r3k2r/8/8/3pP3/8/8/8/R3K2R w Qk d6 4 20");

    // Flip turns the pieces around and keeps side, rights and en passant.
    editor->btnFlip->click();
    EXPECT_EQ(piece("e4"), 16 + Pawn);
    EXPECT_EQ(piece("d4"), 8 + Pawn);
    EXPECT_EQ(EnPassantOf(editor->EditBoard), 7);

    editor->btnClear->click();
    EXPECT_EQ(fen(), "8/8/8/8/8/8/8/8 w - - 0 1");
    for (QCheckBox* box : editor->chkCastling)
        EXPECT_FALSE(box->isChecked());
}

TEST_F(PosEditTest, OkStartsTheGameAtItsMoveNumberAndKeepsTheTags)
{
    Game.TagEvent = "Club night";
    Game.TagWhite = "Ann";
    Game.TagBlack = "Bob";
    Game.GameFile = "old.pgn";
    playQuiet({"d4", "d5"});
    open();
    editor->txtCounter->setText("30");
    click("e7", Qt::RightButton);
    editor->btnConfirm->click();
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_FALSE(Game.StandardStart);
    EXPECT_EQ(Game.MoveNumber, 30);
    EXPECT_EQ(Game.StartMoveNumber, 30);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_TRUE(Game.GameFile.isEmpty());
    EXPECT_EQ(Game.StartFen, "rnbqkbnr/ppp2ppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq d6 0 30");
    EXPECT_EQ(Game.TagEvent, "Club night");
    EXPECT_EQ(Game.TagWhite, "Ann");
    EXPECT_EQ(Game.TagBlack, "Bob");
    EXPECT_EQ(shown.moveRows.size(), 1);
    playQuiet({"e4"});
    EXPECT_EQ(shown.moveRows.value(1), "30.e4");
    // The game's history does not follow the position: taking the first move back ends there.
    EXPECT_EQ(Game.Board.historyCount, 2);
}

TEST_F(PosEditTest, OkRefusesPositionsAnEngineCannotPlayFrom)
{
    playQuiet({"e4"});
    const RulesBoard kept = Game.Board;
    open();
    editor->btnClear->click();
    editor->btnConfirm->click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(fake.messages[0].text.contains("exactly one king"));
    EXPECT_NE(editor->result(), QDialog::Accepted);

    editor->txtFen->setText("4k2P/8/8/8/8/8/8/4K3 w - - 0 1");
    editor->btnConfirm->click();
    EXPECT_TRUE(fake.lastMessage().contains("first or last rank"));
    editor->txtFen->setText("4k3/8/8/8/8/8/8/3KR3 w - - 0 1");
    editor->btnConfirm->click();
    EXPECT_TRUE(fake.lastMessage().contains("not to move must not be in check"));
    EXPECT_EQ(Game.PlyCount, 1);
    EXPECT_EQ(std::memcmp(&Game.Board, &kept, sizeof kept), 0);

    editor->btnCancel->click();
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(Game.PlyCount, 1);
}

} // namespace
