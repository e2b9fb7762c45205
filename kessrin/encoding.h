// Square, side, piece and move encodings shared by both programs.
// Squares are 0..127 on a 16-column grid: row 0 is rank 8, column 4 is file a.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using MoveCode = int32_t;

enum Side : int { White = 0, Black = 1 };
enum PieceType : int { King = 0, Queen = 1, Rook = 2, Bishop = 3, Knight = 4, Pawn = 5 };

constexpr int FileOf(int square) { return square & 15; }
constexpr int RowOf(int square) { return square / 16; }
constexpr int MakeSquare(int column, int row) { return row * 16 + column; }
constexpr int FlipSquare(int square) { return 127 - square; }
constexpr int PawnStep(int side) { return side * 32 - 16; }
constexpr int ColourValue(int side) { return side * 8 + 8; }
constexpr int TypeOf(int pieceCode) { return pieceCode & 7; }
constexpr bool OnBoard(int square) { return square >= 0 && square < 128 && FileOf(square) >= 4 && FileOf(square) <= 11; }

constexpr char FileLetter(int column) { return static_cast<char>('a' + (column - 4)); }
constexpr char RankDigit(int row) { return static_cast<char>('8' - row); }
constexpr int ColumnOfLetter(char c) { return c - 'a' + 4; }
constexpr int RowOfDigit(char c) { return '8' - c; }
constexpr bool IsFileLetter(char c) { return c >= 'a' && c <= 'h'; }
constexpr bool IsRankDigit(char c) { return c >= '1' && c <= '8'; }

constexpr int MoveFrom(MoveCode m) { return m & 127; }
constexpr int MoveTo(MoveCode m) { return (m >> 7) & 127; }
constexpr int MovePromo(MoveCode m) { return (m >> 14) & 3; }
constexpr MoveCode MakeMove(int from, int to, int promo = 0, int state1 = 0, int state2 = 0,
                            int state3 = 0, bool flag1 = false, bool flag2 = false)
{
    return from + to * 128 + promo * 16384 + state1 * 65536 + state2 * 1048576 + state3 * 16777216 +
           (flag1 ? 536870912 : 0) + (flag2 ? 1073741824 : 0);
}

// "e2e4", "e7e8q" (queen only with the flag), "a2a1n".
std::string MoveToCoord(MoveCode move, bool promotionFlag);
// Coordinate text to a move code (no legality check); 0 when the text is no coordinate move.
MoveCode CoordToMove(std::string_view text);

// Castling: 0 White king-side, 1 White queen-side, 2 Black king-side, 3 Black queen-side.
constexpr int CastlingIndex(int side, int kingFrom, int kingTo) { return side * 2 + (kingTo > kingFrom ? 0 : 1); }
constexpr int CastlingBase(int index) { return index < 2 ? 120 : 8; }
constexpr int RookTarget(int index) { return CastlingBase(index) + (index % 2 == 0 ? 1 : -1); }
constexpr int KingTarget(int index) { return CastlingBase(index) + (index % 2 == 0 ? 2 : -2); }
// The rook's start square of each castling in the standard position: h1, a1, h8, a8.
inline constexpr uint8_t StandardRookSquares[4] = {123, 116, 11, 4};
