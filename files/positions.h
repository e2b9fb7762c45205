// Positions in and out of the program: FEN text on the clipboard and in position files, moves
// imported from text, the plain-text board diagram, and starting a game from an edited position.
#pragma once

#include <QString>

#include "kessrin.h"

// The FEN prefix of a clipboard text that starts a new game before its moves are read.
inline constexpr const char* FenPrefix = "{$fen ";

// FEN of the displayed position: the library's four fields, " 0 " and the move number.
QString CurrentFen();
// Eight rank lines, the border, the file letters and the side to move, each ending in CR LF.
QString TextDiagram(const RulesBoard& board);
// The castling-rights mask (bit 0 White king-side .. bit 3 Black queen-side) and the en-passant
// value (0 none, else the column 4..11) of the position's current state.
int CastlingMaskOf(const RulesBoard& board);
int EnPassantOf(const RulesBoard& board);
// The move number written after the first " 0 " of fen, clamped to 1..999; 1 when there is none.
int FenMoveNumber(const QString& fen);

// Starts a game from the first line of a position file; a file that cannot be opened gets the
// file-error message. False when the game was kept.
bool LoadPositionFile(const QString& path);
// Appends the moves of a text file, or of the clipboard (which may begin with the FEN prefix),
// after the last recorded ply.
void ImportMovesFromFile();
void ImportMovesFromClipboard();
// Makes board, with the full-move number and its FEN, the start of a new game that keeps the
// tags of the current one. A position an engine cannot play from is refused with a message and
// the game is kept; false then.
bool StartFromEditedPosition(const RulesBoard& board, int moveNumber, const QString& fen);

// Position and Move menu commands.
void mnPosCopy_Click();
void mnPosPaste_Click();
void mnPosLoad_Click();
void mnPosStore_Click();
void mnMoveImport_Click();
void mnMovePaste_Click();
