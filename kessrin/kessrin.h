// Rules library: positions, legal moves, SAN and FEN, draw rules, Chess960, opening table.
// Pure C++ with no Qt and no global state except the opening table; RulesBoard is a value type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "encoding.h"

// The position record. The fields named here are read by the program; the rest is the library's.
struct RulesBoard {
    int32_t side;                 // side to move: 0 White, 1 Black
    int32_t historyCount;         // entries on the undo history (at most 1024)
    uint8_t libState[8];          // library data
    uint8_t castlingRooks[4];     // start squares of the castling rooks: WK, WQ, BK, BQ
    uint8_t squares[128];         // piece code of each square 0..127
    int32_t history[1024];        // oldest first; latest entry holds the current castling mask
                                  // (bits 16-19), en-passant column (bits 20-23), irreversible
                                  // flag (bit 30)
    int32_t libHistory[1024];     // library data
};
static_assert(sizeof(RulesBoard) == 8340, "RulesBoard layout is shared with its callers");

// MoveFlags bits reported by KessrinTryMove and KessrinUndoMove.
namespace MoveFlag {
enum : int {
    Capture = 1,
    Castling = 2,
    EnPassant = 4,
    Promotion = 8,
    Check = 16,
    NoReply = 32,        // with Check: mate, else stalemate
    Repetition = 64,     // threefold repetition
    FiftyMoves = 128,
    NoMaterial = 256,    // insufficient material
    IllegalAttempt = 512 // refused move the caller should signal as illegal
};
}

// Once, before any other call.
void KessrinInit();
// Reads the opening table; returns the number of entries read (0 when the file is unusable).
int KessrinLoadEco(const std::string& path, int tableSizeHint);
// Plays moves (ended by 0, at most 63 used) from the start position and looks the position up:
// "ECO|opening|variation|sub-variation", or nothing when unknown or a move is illegal.
std::optional<std::string> KessrinSearchEco(const MoveCode* moves);
// Releases the opening table.
void KessrinUnloadEco();

// Sets the board from any text at all; a FEN without the two counters is accepted.
void KessrinFen2Board(RulesBoard& board, std::string_view fen);
// Four-field FEN: placement, side, castling, en passant.
std::string KessrinBoard2Fen(const RulesBoard& board);
// Non-zero when legal: the move is played and flags filled. 0: board unchanged, flags may carry 512.
int KessrinTryMove(RulesBoard& board, int& flags, MoveCode move);
// Takes back the last move played; returns its flags (capture, castling, en passant, promotion).
int KessrinUndoMove(RulesBoard& board);
// Fills out (room for 1024) with the legal moves; returns their number.
int KessrinGenMoves(const RulesBoard& board, MoveCode* out);
// SAN of a legal move, without check or mate sign; the board is the position before the move.
std::string KessrinMove2Alg(const RulesBoard& board, MoveCode move);
// Lenient SAN (or coordinate) reading; 0 when the text names no legal move or is ambiguous.
MoveCode KessrinAlg2Move(const RulesBoard& board, std::string_view san);
// True when the castling setup is not the standard one.
bool KessrinIsChess960(const RulesBoard& board);
// True when the king of side (the first one found) is attacked; false when side has no king.
bool KessrinKingAttacked(const RulesBoard& board, int side);

// Position editing.
void KessrinAddPiece(RulesBoard& board, int square, int piece);
void KessrinDelPiece(RulesBoard& board, int square, int piece);
void KessrinClearBoard(RulesBoard& board);
void KessrinChangeSide(RulesBoard& board);
// Sets castling rights (4-bit mask) and en-passant column (0 none, else 4..11) of the position.
void KessrinSetIrrev(RulesBoard& board, int castlingMask, int epValue);
