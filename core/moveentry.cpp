#include "core/moveentry.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "files/savegame.h"
#include "shell/audio.h"
#include "shell/view.h"

#include <QRegularExpression>

#include <array>

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

// The one pawn capture onto a named square ("xd5" after a pawn letter), or 0 when none or
// several pawns can make it. A capture that promotes gives its first promotion piece.
MoveCode UniquePawnCapture(const RulesBoard& board, const QString& square)
{
    if (square.size() != 2 || square[0] < u'a' || square[0] > u'h' || square[1] < u'1' ||
        square[1] > u'8')
        return 0;
    const int to =
        MakeSquare(ColumnOfLetter(square[0].toLatin1()), RowOfDigit(square[1].toLatin1()));
    std::array<MoveCode, 1024> legal{};
    const int count = KessrinGenMoves(board, legal.data());
    MoveCode found = 0;
    for (int i = 0; i < count; ++i) {
        const MoveCode move = legal[static_cast<std::size_t>(i)];
        const int from = MoveFrom(move);
        if (MoveTo(move) != to || (board.squares[from] & 7) != Pawn || FileOf(from) == FileOf(to))
            continue;
        if (found == 0)
            found = move;
        else if (MoveFrom(found) != from)
            return 0;
    }
    return found;
}

} // namespace

MoveCode ReadTypedMove(const RulesBoard& board, const QString& typed)
{
    const QString text = typed.trimmed();
    if (const MoveCode move = KessrinAlg2Move(board, text.toStdString()))
        return move;
    // Forms other programs and books use: "exd6 e.p.", "e8(N)", "Pe4", "Pxd5".
    QString plain = text;
    plain.remove(QRegularExpression(QStringLiteral("\\s*e\\.?p\\.?$")));
    plain.replace(QRegularExpression(QStringLiteral("\\(([QRBNqrbn])\\)")), QStringLiteral("=\\1"));
    const bool pawnLetter = plain.size() > 1 && plain[0] == u'P' &&
                            ((plain[1] >= u'a' && plain[1] <= u'h') || plain[1] == u'x');
    if (pawnLetter)
        plain.remove(0, 1);
    if (plain.startsWith(u'x'))
        return UniquePawnCapture(
            board, plain.mid(1).remove(QRegularExpression(QStringLiteral("[+#!?]+$"))));
    return plain == text ? 0 : KessrinAlg2Move(board, plain.toStdString());
}

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
        if (Game.SelectedSquare > 0) {
            // Only a castling can move onto one's own piece; the rules library decides. Asked
            // quietly first, so that picking another piece does not sound as an illegal move.
            MoveCode move = MakeMove(Game.SelectedSquare, square);
            // Outside Chess960 the record and the engines know castling as the king's step.
            const bool kingOnRook = Game.Board.squares[Game.SelectedSquare] == colour + King &&
                                    piece == colour + Rook &&
                                    RowOf(square) == RowOf(Game.SelectedSquare);
            if (kingOnRook && !KessrinIsChess960(Game.Board))
                move = MakeMove(Game.SelectedSquare,
                                Game.SelectedSquare + (square > Game.SelectedSquare ? 2 : -2));
            if (IsLegal(move) && DoMove(move, ModeClick, 0)) {
                MarkEntered();
                return;
            }
            DrawSquare(Game.SelectedSquare, false, false);
        }
        Game.SelectedSquare = square;
        DrawSquare(square, true, false);
        if (Game.CurPly > 0) {
            const MoveCode last = Game.Moves[Game.CurPly];
            DrawSquare(MoveFrom(last), false, false);
            DrawSquare(MoveTo(last), false, false);
        }
        PlaySoundName(QStringLiteral("CLICK"));
        return;
    }

    if (Game.SelectedSquare == 0)
        return;
    Game.PromotionChoice = 0;
    const int lastRow = Game.SideToMove == White ? 0 : 7;
    if (Game.Board.squares[Game.SelectedSquare] == colour + Pawn && RowOf(square) == lastRow) {
        int flags = 0;
        if (!KessrinTryMove(Game.Board, flags, MakeMove(Game.SelectedSquare, square))) {
            if (flags & MoveFlag::IllegalAttempt)
                PlaySoundName(QStringLiteral("ILLEGAL"));
            return;
        }
        KessrinUndoMove(Game.Board);
        Game.PromotionChoice = view().askPromotionPiece(Game.SideToMove);
    }
    if (DoMove(MakeMove(Game.SelectedSquare, square, Game.PromotionChoice), ModeClick, 0))
        MarkEntered();
}

void txtMove_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    const QString text = view().typedMove();
    if (text.isEmpty())
        return;
    const MoveCode move = ReadTypedMove(Game.Board, text);
    if (DoMove(move, ModeTyped, 0))
        MarkEntered();
    view().clearTypedMove();
}

void mnMoveType_Click()
{
    view().focusMoveBox();
}
