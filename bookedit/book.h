// The opening book library: positions looked up in a Polyglot book file, and the weight of one
// entry rewritten. No Qt; the rules library supplies boards and move codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "kessrin.h"

// The most moves one position returns; the callers' arrays hold this many.
inline constexpr int MaxBookMoves = 1024;
// Bytes of one book entry: key (8), move (2), weight (2), learn (4), all big-endian.
inline constexpr std::size_t BookEntrySize = 16;
inline constexpr int32_t MaxBookWeight = 65535;

// The Polyglot key of a position. Castling rights hash as the format's outer-rook offsets, which
// is also what its Chess960 extension gives every position that has no inner castling rook.
uint64_t PolyglotKey(const RulesBoard& board);

// The move an entry's move field names on the board, as a legal MoveCode (castling king-to-rook,
// as the field writes it); 0 when it names no legal move.
MoveCode DecodeBookMove(const RulesBoard& board, uint16_t bookMove);
// The move field for a move code: squares and promotion piece. A promotion code 0 (queen) is
// written as a queen only with the flag, since the code alone cannot tell it from no promotion.
uint16_t EncodeBookMove(MoveCode move, bool promotes);

// The book moves of the position in a book held in memory; same contract as GetBookMoves.
int FindBookMoves(const RulesBoard& board, const unsigned char* data, std::size_t size,
                  int32_t* handles, MoveCode* moves, int32_t* weights);

// Fills entries 0..n-1 of the three arrays (room for MaxBookMoves each) with the handle of the
// entry, its move and its weight, in the book's order, and returns n. A book that is missing,
// empty, not a whole number of entries or not sorted by key gives 0, as does a position it does
// not hold. Entries whose move is not legal on the board are left out.
int GetBookMoves(const RulesBoard& board, const std::string& bookPath, int32_t* handles,
                 MoveCode* moves, int32_t* weights);

// Rewrites the weight (clamped to 0..65535) of the entry a handle names, when that entry still
// holds the move. Non-zero when written; 0 when the book cannot be opened for writing, the handle
// lies outside it or the entry holds another move.
int PutBookMove(const std::string& bookPath, int32_t handle, MoveCode move, int32_t weight);
