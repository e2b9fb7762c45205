// Internal machinery of the rules library: board layout conventions, hashing, the legal move
// generator. Not part of the public interface.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "kessrin.h"

namespace kessrin_detail {

// ---- Board geometry -------------------------------------------------------------------------

// Columns 4..11 hold the files, so shifting by 4 gives the classic 0x88 test. Valid for any
// square within a few rays of the board, which is all the generator ever forms.
inline bool onBoard(int square)
{
    return ((square - 4) & 0x88) == 0;
}

constexpr int kWall = 7; // a non-empty square that belongs to nobody (unknown piece code)
constexpr int kOrth[4] = {1, -1, 16, -16};
constexpr int kDiag[4] = {15, -15, 17, -17};
constexpr int kKnight[8] = {14, -14, 18, -18, 31, -31, 33, -33};
constexpr int kKingDirs[8] = {1, -1, 16, -16, 15, -15, 17, -17};

inline int backRow(int side)
{
    return side == White ? 7 : 0;
}
inline int lastRow(int side)
{
    return side == White ? 0 : 7;
}

// Any piece code the program may leave on a square mapped to a code the generator trusts: valid
// pieces stay, everything else non-zero becomes a wall.
constexpr std::array<uint8_t, 256> makeSanitize()
{
    std::array<uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const bool valid = (c >= 8 && c <= 13) || (c >= 16 && c <= 21);
        t[c] = static_cast<uint8_t>(c == 0 ? 0 : (valid ? c : kWall));
    }
    return t;
}
inline constexpr std::array<uint8_t, 256> kSanitize = makeSanitize();
inline bool validPiece(int code)
{
    return code > 0 && code < 256 && code != kWall && kSanitize[code] == code;
}

// ---- Hashing ----------------------------------------------------------------------------------

struct ZobristTables {
    uint32_t piece[32][128];
    uint32_t side;
    uint32_t castle[16];
    uint32_t ep[16];
};

constexpr uint64_t splitMix(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr ZobristTables makeZobrist()
{
    ZobristTables z{};
    uint64_t state = 0x4B6573737269'6E00ull;
    for (auto& row : z.piece)
        for (auto& v : row)
            v = static_cast<uint32_t>(splitMix(state) >> 32);
    z.side = static_cast<uint32_t>(splitMix(state) >> 32);
    for (auto& v : z.castle)
        v = static_cast<uint32_t>(splitMix(state) >> 32);
    z.castle[0] = 0;
    for (auto& v : z.ep)
        v = static_cast<uint32_t>(splitMix(state) >> 32);
    z.ep[0] = 0;
    return z;
}
inline constexpr ZobristTables kZobrist = makeZobrist();

// ---- Record layout ----------------------------------------------------------------------------

// libState bytes.
enum : int {
    kStateKing = 0,       // [0] White king square, [1] Black king square (a cache, validated)
    kStateClock = 2,      // [2..3] half-move clock of the current position
    kStateBaseClock = 4,  // [4..5] half-move clock of the position read from FEN
    kStateNoMaterial = 6, // insufficient material in the current position
    kStateChess960 = 7    // castling setup is not the standard one
};

// History entry: move (bits 0-15), castling mask 16-19, ep column 20-23, captured piece 24-28,
// bit 29 special move (castling when from and to share a row, promotion when it ends on the
// last row, else en passant), bit 30 irreversible. Castling is stored king-to-rook.
constexpr int32_t kSpecialBit = 1 << 29;
constexpr int32_t kIrrevBit = 1 << 30;

inline int entryCastle(int32_t e)
{
    return (e >> 16) & 15;
}
inline int entryEp(int32_t e)
{
    return (e >> 20) & 15;
}
inline int entryCaptured(int32_t e)
{
    return (e >> 24) & 31;
}

// libHistory entry: bits 0-4 the check/no-reply/repetition/fifty/material flags of the move
// (MoveFlags >> 4), bit 5 set when an en-passant capture is possible (and hashed), bits 6-31 the
// position key.
constexpr uint32_t kKeyMask = ~63u;
constexpr uint32_t kEpInKey = 32u;

inline int sideOf(const RulesBoard& b)
{
    return b.side != 0 ? 1 : 0;
}
inline bool historyValid(const RulesBoard& b)
{
    return b.historyCount >= 1 && b.historyCount <= 1024;
}
inline int32_t currentEntry(const RulesBoard& b)
{
    return historyValid(b) ? b.history[b.historyCount - 1] : 0;
}
inline int clockOf(const RulesBoard& b)
{
    return b.libState[2] | (b.libState[3] << 8);
}
inline void setClock(RulesBoard& b, int clock)
{
    clock = clock < 0 ? 0 : (clock > 65535 ? 65535 : clock);
    b.libState[2] = static_cast<uint8_t>(clock & 255);
    b.libState[3] = static_cast<uint8_t>(clock >> 8);
}

// ---- Move generation --------------------------------------------------------------------------

// Everything the generator needs about one side's position: a sanitised copy of the squares,
// the king, checkers and pins.
struct Gen {
    uint8_t sq[128];
    int us = 0;
    int usCol = 8;
    int themCol = 16;
    int king = -1;    // own king square, -1 when there is none
    int checkers = 0; // pieces giving check
    int pinCount = 0;
    int pinSq[8];
    int pinDir[8];
    int castleMask = 0;
    int epColumn = 0;
    bool chess960 = false;
    // More than one own king (an edited board): every own king is royal, so moves are generated
    // pseudo-legally and kept when no own king is attacked afterwards; checkers and pins stay
    // empty and kingsAttacked tells whether the side is in check. king is then the castling king.
    bool multiKing = false;
    bool kingsAttacked = false;
    uint8_t rooks[4];
    uint8_t evasion[128]; // valid when checkers == 1: squares a non-king move may land on
};

bool attacked(const uint8_t* s, int square, int by);
// The same, leaving out the kings: whether a king standing on the square is in check.
bool attackedIgnoringKings(const uint8_t* s, int square, int by);
void setupGen(Gen& g, const RulesBoard& b);
int findKing(const RulesBoard& b, int side);
// The king that castles: the only king of the side on its back rank; -1 when there is none or
// more than one.
int castlingKing(const uint8_t* squares, int side);
// True when no king of the side to move is attacked on g.sq.
bool ownKingsSafe(const Gen& g);

inline int pinDirOf(const Gen& g, int from)
{
    for (int i = 0; i < g.pinCount; ++i)
        if (g.pinSq[i] == from)
            return g.pinDir[i];
    return 0;
}

// True when the castling of index i is pseudo-available: right held, king and rook where the
// castling needs them. Path and attacks are checked by the generator.
inline bool castlingSetupOk(const Gen& g, int i)
{
    if (!(g.castleMask & (1 << i)) || g.king < 0)
        return false;
    const int r = g.rooks[i];
    if (!onBoard(r) || g.sq[r] != (g.usCol | Rook) || RowOf(r) != backRow(g.us) ||
        RowOf(g.king) != backRow(g.us))
        return false;
    return (i & 1) == 0 ? r > g.king : r < g.king;
}

// En passant from `from` with full legality (discovered checks along the rank included).
inline bool epCaptureLegal(Gen& g, int from)
{
    if (g.epColumn < 4 || g.epColumn > 11)
        return false;
    const int target = MakeSquare(g.epColumn, g.us == White ? 2 : 5);
    const int victim = target - PawnStep(g.us);
    const int pawn = g.usCol | Pawn;
    if (!onBoard(from) || g.sq[from] != pawn || g.sq[target] != 0 ||
        g.sq[victim] != (g.themCol | Pawn) || (from != victim - 1 && from != victim + 1))
        return false;
    if (g.king < 0 && !g.multiKing)
        return true;
    const uint8_t taken = g.sq[victim];
    g.sq[from] = 0;
    g.sq[victim] = 0;
    g.sq[target] = static_cast<uint8_t>(pawn);
    const bool legal =
        g.multiKing ? ownKingsSafe(g) : !attackedIgnoringKings(g.sq, g.king, 1 - g.us);
    g.sq[from] = static_cast<uint8_t>(pawn);
    g.sq[victim] = taken;
    g.sq[target] = 0;
    return legal;
}

// Legal moves of the piece on `from`; sink(from, to, promo) returns true to stop. Castling is
// emitted king-to-rook in Chess960 and as the king's two-square move otherwise. Returns true
// when the sink stopped the generation.
template <class Sink>
inline __attribute__((always_inline)) bool genFrom(Gen& g, int from, Sink&& sink)
{
    uint8_t* s = g.sq;
    const int piece = s[from];
    if (!(piece & g.usCol) || piece == kWall)
        return false;
    const int themCol = g.themCol;
    const bool inCheck = g.checkers > 0;
    const int type = piece & 7;
    auto targetOk = [&](int t) { return !inCheck || g.evasion[t]; };
    auto enemy = [&](int p) { return (p & themCol) && (p & 7) != King && p != kWall; };

    if (type == King) {
        s[from] = 0; // the king does not shield the squares behind it
        bool stop = false;
        for (int d : kKingDirs) {
            const int t = from + d;
            if (!onBoard(t))
                continue;
            const int p = s[t];
            if ((p == 0 || enemy(p)) && !attacked(s, t, 1 - g.us) && sink(from, t, 0)) {
                stop = true;
                break;
            }
        }
        s[from] = static_cast<uint8_t>(piece);
        if (stop)
            return true;
        if (inCheck || from != g.king || !g.castleMask)
            return false;
        for (int i = g.us * 2; i < g.us * 2 + 2; ++i) {
            if (!castlingSetupOk(g, i))
                continue;
            const int r = g.rooks[i], kt = KingTarget(i), rt = RookTarget(i);
            int lo = from < r ? from : r, hi = from < r ? r : from;
            lo = kt < lo ? kt : lo;
            lo = rt < lo ? rt : lo;
            hi = kt > hi ? kt : hi;
            hi = rt > hi ? rt : hi;
            bool clear = true;
            for (int x = lo; x <= hi && clear; ++x)
                clear = s[x] == 0 || x == from || x == r;
            if (!clear)
                continue;
            s[from] = 0;
            s[r] = 0;
            // The king is not in check (tested above, or here with several kings), so only the
            // squares it crosses and lands on are left to test.
            if (g.multiKing)
                clear = !attackedIgnoringKings(s, from, 1 - g.us);
            // A king already on its target may have been shielded by the rook that now leaves.
            const int step = kt > from ? 1 : -1;
            if (kt == from)
                clear = clear && !attacked(s, kt, 1 - g.us);
            for (int x = from; clear && x != kt;) {
                x += step;
                clear = !attacked(s, x, 1 - g.us);
            }
            s[from] = static_cast<uint8_t>(piece);
            s[r] = static_cast<uint8_t>(g.usCol | Rook);
            if (clear && sink(from, g.chess960 ? r : kt, 0))
                return true;
        }
        return false;
    }
    if (g.checkers > 1)
        return false;
    const int pin = g.pinCount ? pinDirOf(g, from) : 0;
    auto dirOk = [&](int d) { return pin == 0 || d == pin || d == -pin; };

    switch (type) {
    case Pawn: {
        const int step = PawnStep(g.us);
        const int promoRow = lastRow(g.us);
        auto emit = [&](int t) {
            if (RowOf(t) == promoRow) {
                for (int p = 0; p < 4; ++p)
                    if (sink(from, t, p))
                        return true;
                return false;
            }
            return sink(from, t, 0);
        };
        const int t1 = from + step;
        if (onBoard(t1) && s[t1] == 0 && dirOk(step)) {
            if (targetOk(t1) && emit(t1))
                return true;
            const int t2 = t1 + step;
            if (RowOf(from) == backRow(g.us) + (g.us == White ? -1 : 1) && s[t2] == 0 &&
                targetOk(t2) && sink(from, t2, 0))
                return true;
        }
        for (int d : {step - 1, step + 1}) {
            const int t = from + d;
            if (onBoard(t) && enemy(s[t]) && dirOk(d) && targetOk(t) && emit(t))
                return true;
        }
        if (g.epColumn && epCaptureLegal(g, from)) {
            const int target = MakeSquare(g.epColumn, g.us == White ? 2 : 5);
            if (sink(from, target, 0))
                return true;
        }
        return false;
    }
    case Knight:
        if (pin)
            return false;
        for (int d : kKnight) {
            const int t = from + d;
            if (!onBoard(t))
                continue;
            const int p = s[t];
            if ((p == 0 || enemy(p)) && targetOk(t) && sink(from, t, 0))
                return true;
        }
        return false;
    case Queen:
    case Rook:
    case Bishop: {
        const int first = type == Bishop ? 4 : 0;
        const int last = type == Rook ? 4 : 8;
        for (int k = first; k < last; ++k) {
            const int d = kKingDirs[k];
            if (!dirOk(d))
                continue;
            for (int t = from + d; onBoard(t); t += d) {
                const int p = s[t];
                if (p == 0) {
                    if (targetOk(t) && sink(from, t, 0))
                        return true;
                    continue;
                }
                if (enemy(p) && targetOk(t) && sink(from, t, 0))
                    return true;
                break;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

// True when the move of `piece` the generator produced from `from` to `to` leaves no own king
// attacked. Only for boards with several own kings; g.sq is restored before returning.
bool multiKingMoveSafe(Gen& g, int piece, int from, int to);

// Legal moves of the piece on `from` on any board: the fast generator, or with several own
// kings its pseudo-legal moves filtered by making them.
template <class Sink> inline bool genPiece(Gen& g, int from, Sink&& sink)
{
    if (!g.multiKing) [[likely]]
        return genFrom(g, from, sink);
    const int piece = g.sq[from];
    return genFrom(g, from, [&](int f, int t, int p) {
        return multiKingMoveSafe(g, piece, f, t) && sink(f, t, p);
    });
}

// All legal moves; returns true when the sink stopped.
template <class Sink> bool genAll(Gen& g, Sink&& sink)
{
    if (g.multiKing) [[unlikely]] {
        for (int row = 0; row < 8; ++row)
            for (int sq = row * 16 + 4, end = row * 16 + 12; sq < end; ++sq)
                if ((g.sq[sq] & g.usCol) && genPiece(g, sq, sink))
                    return true;
        return false;
    }
    if (g.checkers > 1)
        return genFrom(g, g.king, sink);
    for (int row = 0; row < 8; ++row) {
        for (int sq = row * 16 + 4, end = row * 16 + 12; sq < end; ++sq) {
            if ((g.sq[sq] & g.usCol) && genFrom(g, sq, sink))
                return true;
        }
    }
    return false;
}

inline bool anyLegalMove(Gen& g)
{
    return genAll(g, [](int, int, int) { return true; });
}

// The legal move a caller's code stands for, in generator form (castling given king-to-rook, or
// in standard chess also as the king's two-square move); -1 when it is not legal. castleIndex
// receives the castling index or -1.
int matchLegal(Gen& g, MoveCode move, int& castleIndex);

bool insufficientMaterial(const uint8_t* squares);
// The outermost rook of the right colour on the wing of castling index i, beside a back-rank
// king; -1 when there is none.
int outermostCastlingRook(const RulesBoard& b, int i);
// Castling rook of index i for editing: castlingRooks[i] when it is usable, else the outermost
// such rook; -1 when there is none.
int resolveCastlingRook(const RulesBoard& b, int i);
// True when castlingRooks[i] holds a rook of the right colour on the king's back rank, on the
// wing of index i: the castling the generator can play once the right is held.
bool castlingRightUsable(const RulesBoard& b, int i);
// Recomputes everything derived from squares, side and current entry: king cache, key, material
// flag. Used after FEN reading and position editing.
void refreshDerived(RulesBoard& b);
// True when a usable castling right has its king or rook off the standard squares.
bool castlingSetupIs960(const RulesBoard& b);

} // namespace kessrin_detail
