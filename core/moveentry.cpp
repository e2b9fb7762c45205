#include "core/moveentry.h"

#include "core/domove.h"
#include "core/frmpromotion.h"
#include "core/gamerecord.h"
#include "files/savegame.h"
#include "shell/audio.h"
#include "shell/boardview.h"
#include "shell/frmmain.h"

#include <QLineEdit>

int PromotionChoice = 0;

namespace {

// True when the rules library accepts move on the shown position, which stays unchanged.
bool IsLegal(MoveCode move)
{
    int flags = 0;
    if (!KessrinTryMove(Game.Board, flags, move))
        return false;
    KessrinUndoMove(Game.Board);
    return true;
}

// SetModified after a move the user entered; not when the game-over question already replaced
// the game with a new, unchanged one.
void MarkEntered()
{
    if (Game.PlyCount > 0)
        SetModified();
}

} // namespace

void imgSquares_MouseDown(int index)
{
    if (index < 0 || index > 63)
        return;
    int square = MakeSquare(index % 8 + 4, index / 8);
    if (Game.Flipped)
        square = FlipSquare(square);
    ClickSquare(square);
}

void ClickSquare(int square)
{
    if (!OnBoard(square))
        return;
    const int piece = Game.Board.squares[square];
    const int colour = ColourValue(Game.SideToMove);

    if (piece & colour) {
        if (SelectedSquare > 0) {
            // Only a castling can move onto one's own piece; the rules library decides. Asked
            // quietly first, so that picking another piece does not sound as an illegal move.
            MoveCode move = MakeMove(SelectedSquare, square);
            // Outside Chess960 the record and the engines know castling as the king's step.
            const bool kingOnRook = Game.Board.squares[SelectedSquare] == colour + King &&
                                    piece == colour + Rook &&
                                    RowOf(square) == RowOf(SelectedSquare);
            if (kingOnRook && !KessrinIsChess960(Game.Board))
                move =
                    MakeMove(SelectedSquare, SelectedSquare + (square > SelectedSquare ? 2 : -2));
            if (IsLegal(move) && DoMove(move, ModeClick, 0)) {
                MarkEntered();
                return;
            }
            DrawSquare(SelectedSquare, false, false);
        }
        SelectedSquare = square;
        DrawSquare(square, true, false);
        if (Game.CurPly > 0) {
            const MoveCode last = Game.Moves[Game.CurPly];
            DrawSquare(MoveFrom(last), false, false);
            DrawSquare(MoveTo(last), false, false);
        }
        PlaySoundName(QStringLiteral("CLICK"));
        return;
    }

    if (SelectedSquare == 0)
        return;
    PromotionChoice = 0;
    const int lastRow = Game.SideToMove == White ? 0 : 7;
    if (Game.Board.squares[SelectedSquare] == colour + Pawn && RowOf(square) == lastRow) {
        int flags = 0;
        if (!KessrinTryMove(Game.Board, flags, MakeMove(SelectedSquare, square))) {
            if (flags & MoveFlag::IllegalAttempt)
                PlaySoundName(QStringLiteral("ILLEGAL"));
            return;
        }
        KessrinUndoMove(Game.Board);
        PromotionChoice = AskPromotionPiece(Game.SideToMove);
    }
    if (DoMove(MakeMove(SelectedSquare, square, PromotionChoice), ModeClick, 0))
        MarkEntered();
}

void txtMove_KeyPress(int keyAscii)
{
    if (keyAscii != 13 || !MainForm)
        return;
    QLineEdit* box = MainForm->txtMove;
    const QString text = box->text();
    if (text.isEmpty())
        return;
    const MoveCode move = KessrinAlg2Move(Game.Board, text.toStdString());
    if (DoMove(move, ModeTyped, 0))
        MarkEntered();
    box->clear();
}

void mnMoveType_Click()
{
    if (MainForm)
        MainForm->txtMove->setFocus(Qt::ShortcutFocusReason);
}
