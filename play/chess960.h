// Chess960 start positions: the number-to-position rule and the address of the help page that
// explains them.
#pragma once

#include "study/publish.h" // UrlEncode

#include <QString>

#include <array>

// Start-position numbers run 0..959; 518 is the standard arrangement.
constexpr int Chess960Count = 960;
constexpr int StandardChess960Number = 518;

// One back rank, files a..h: a piece kind (0 king, 1 queen, 2 rook, 3 bishop, 4 knight) or -1.
using Chess960Row = std::array<int, 8>;

// File index (0..7) of the k-th still empty cell of row, counting from file a; -1 when there are
// fewer than k+1 empty cells.
int FindEmptySquare(const Chess960Row& row, int k);
// The back rank of start position number 0..959.
Chess960Row Chess960BackRank(int number);
// The FEN of start position number 0..959, castling rights named by the rooks' files ("HAha").
QString Chess960Fen(int number);

// Address of the Chess960 help page below siteBase; with a number the query carries it and its
// FEN ("?sp=...&fen=...").
QString Chess960HelpUrl(const QString& siteBase, bool withPosition, int number);
