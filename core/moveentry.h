// Turning the user's clicks on the board and typed moves into moves for DoMove.
#pragma once

// Piece chosen in the promotion dialog: 0 queen, 1 rook, 2 bishop, 3 knight.
extern int PromotionChoice;

// A mouse button (any) went down on square image 0..63.
void imgSquares_MouseDown(int index);
// First click picks a piece of the side to move, the second moves it (asking for the
// promotion piece when a pawn reaches the last rank).
void ClickSquare(int square);
// Enter (13) in the move box plays the typed move; the box is emptied either way.
void txtMove_KeyPress(int keyAscii);
// "Type In": puts the keyboard focus into the move box.
void mnMoveType_Click();
