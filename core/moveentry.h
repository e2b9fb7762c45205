// Turning the user's clicks on the board and typed moves into moves for DoMove.
#pragma once

#include "kessrin.h"

#include <QString>

// A mouse button (any) went down on square image 0..63.
void imgSquares_MouseDown(int index);
// First click picks a piece of the side to move, the second moves it (asking for the
// promotion piece when a pawn reaches the last rank).
void ClickSquare(int square);
// Enter (13) in the move box plays the typed move; the box is emptied either way.
void txtMove_KeyPress(int keyAscii);
// The move a typed text names on board, or 0: SAN and coordinates, and the forms "Pe4", "Pxd5",
// "exd6 e.p." and "e8(N)" where they name exactly one legal move.
MoveCode ReadTypedMove(const RulesBoard& board, const QString& text);
// "Type In": puts the keyboard focus into the move box.
void mnMoveType_Click();
