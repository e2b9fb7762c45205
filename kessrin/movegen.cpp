// Attack tests, check and pin detection, material and castling-setup helpers.
#include "position_internal.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kessrin_detail {

// Kings attack the squares around them (a king may not step next to the other king), but they
// never give check: on an edited board kings may touch, and that leaves both sides free to move.
template <bool WithKings> static inline bool attackedBy(const uint8_t* s, int t, int by)
{
    const int col = ColourValue(by);
    const int pawn = col | Pawn;
    const int behind = by == White ? 16 : -16;
    if (onBoard(t + behind - 1) && s[t + behind - 1] == pawn)
        return true;
    if (onBoard(t + behind + 1) && s[t + behind + 1] == pawn)
        return true;
    const int knight = col | Knight;
    for (int d : kKnight) {
        const int x = t + d;
        if (onBoard(x) && s[x] == knight)
            return true;
    }
    if constexpr (WithKings) {
        const int king = col | King;
        for (int d : kKingDirs) {
            const int x = t + d;
            if (onBoard(x) && s[x] == king)
                return true;
        }
    }
    const int queen = col | Queen, rook = col | Rook, bishop = col | Bishop;
    for (int d : kOrth) {
        for (int x = t + d; onBoard(x); x += d) {
            const int p = s[x];
            if (p == 0)
                continue;
            if (p == rook || p == queen)
                return true;
            break;
        }
    }
    for (int d : kDiag) {
        for (int x = t + d; onBoard(x); x += d) {
            const int p = s[x];
            if (p == 0)
                continue;
            if (p == bishop || p == queen)
                return true;
            break;
        }
    }
    return false;
}

bool attacked(const uint8_t* s, int t, int by)
{
    return attackedBy<true>(s, t, by);
}

bool attackedIgnoringKings(const uint8_t* s, int t, int by)
{
    return attackedBy<false>(s, t, by);
}

static int scanKing(const uint8_t* squares, int side)
{
    const int king = ColourValue(side) | King;
    for (int row = 0; row < 8; ++row)
        for (int sq = row * 16 + 4; sq < row * 16 + 12; ++sq)
            if (squares[sq] == king)
                return sq;
    return -1;
}

int findKing(const RulesBoard& b, int side)
{
    const int cached = b.libState[kStateKing + side];
    if (onBoard(cached) && b.squares[cached] == (ColourValue(side) | King))
        return cached;
    return scanKing(b.squares, side);
}

// Copies the squares, turning every code that is not a valid piece into a wall, and counts the
// squares holding `king`. Runs for every generator set-up, hence the vector version.
static int sanitizeSquares(const uint8_t* src, uint8_t* dst, int king)
{
#if defined(__SSE2__)
    const __m128i highMask = _mm_set1_epi8(static_cast<char>(0xF8));
    const __m128i typeMask = _mm_set1_epi8(7);
    const __m128i white = _mm_set1_epi8(8), black = _mm_set1_epi8(16), six = _mm_set1_epi8(6);
    const __m128i zero = _mm_setzero_si128();
    const __m128i kingCode = _mm_set1_epi8(static_cast<char>(king));
    __m128i kings = zero; // each lane counts down once per king seen in that lane
    for (int i = 0; i < 128; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i high = _mm_and_si128(c, highMask);
        const __m128i colourOk =
            _mm_or_si128(_mm_cmpeq_epi8(high, white), _mm_cmpeq_epi8(high, black));
        const __m128i ok = _mm_and_si128(colourOk, _mm_cmplt_epi8(_mm_and_si128(c, typeMask), six));
        const __m128i keep = _mm_or_si128(ok, _mm_cmpeq_epi8(c, zero));
        const __m128i wall = _mm_andnot_si128(keep, typeMask);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                         _mm_or_si128(_mm_and_si128(ok, c), wall));
        kings = _mm_add_epi8(kings, _mm_cmpeq_epi8(c, kingCode));
    }
    // Lanes hold 0..-8; negate and add them up.
    const __m128i sums = _mm_sad_epu8(_mm_sub_epi8(zero, kings), zero);
    return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
#else
    int count = 0;
    for (int i = 0; i < 128; ++i) {
        dst[i] = kSanitize[src[i]];
        count += src[i] == king;
    }
    return count;
#endif
}

static bool standardCastling(const Gen& g)
{
    const int own = g.castleMask & (3 << (g.us * 2));
    if (!own)
        return true;
    if (g.king != (g.us == White ? 120 : 8))
        return false;
    for (int k = 0; k < 2; ++k)
        if ((own & (1 << (g.us * 2 + k))) && g.rooks[g.us * 2 + k] != StandardRookSquares[g.us * 2 + k])
            return false;
    return true;
}

void setupGen(Gen& g, const RulesBoard& b)
{
    g.us = sideOf(b);
    g.usCol = ColourValue(g.us);
    g.themCol = ColourValue(1 - g.us);
    const int ownKing = g.usCol | King;
    const int kingCount = sanitizeSquares(b.squares, g.sq, ownKing);
    const int32_t e = currentEntry(b);
    g.castleMask = entryCastle(e);
    g.epColumn = entryEp(e);
    std::memcpy(g.rooks, b.castlingRooks, 4);
    g.checkers = 0;
    g.pinCount = 0;
    g.multiKing = kingCount > 1;
    if (g.multiKing) [[unlikely]] {
        g.king = castlingKing(g.sq, g.us);
        g.chess960 = b.libState[kStateChess960] != 0 || !standardCastling(g);
        g.kingsAttacked = !ownKingsSafe(g);
        return;
    }
    g.kingsAttacked = false;
    const int cached = b.libState[kStateKing + g.us];
    g.king = onBoard(cached) && g.sq[cached] == ownKing ? cached : scanKing(g.sq, g.us);
    g.chess960 = b.libState[kStateChess960] != 0 || !standardCastling(g);
    const int k = g.king;
    if (k < 0)
        return;

    auto addChecker = [&](int t, int dir) {
        if (g.checkers++ == 0)
            std::memset(g.evasion, 0, sizeof g.evasion);
        g.evasion[t] = 1;
        if (dir)
            for (int x = k + dir; x != t; x += dir)
                g.evasion[x] = 1;
    };
    const int them = g.themCol;
    for (int i = 0; i < 8; ++i) {
        const int d = kKingDirs[i];
        const bool orth = i < 4;
        int pinned = -1;
        for (int t = k + d; onBoard(t); t += d) {
            const int p = g.sq[t];
            if (p == 0)
                continue;
            if (p & g.usCol) {
                if (pinned >= 0)
                    break;
                pinned = t;
                continue;
            }
            if (p & them) {
                const int type = p & 7;
                const bool slider = type == Queen || (orth ? type == Rook : type == Bishop);
                if (slider) {
                    if (pinned < 0) {
                        addChecker(t, d);
                    } else {
                        g.pinSq[g.pinCount] = pinned;
                        g.pinDir[g.pinCount++] = d;
                    }
                }
            }
            break;
        }
    }
    const int knight = them | Knight;
    for (int d : kKnight) {
        const int t = k + d;
        if (onBoard(t) && g.sq[t] == knight)
            addChecker(t, 0);
    }
    const int pawn = them | Pawn;
    const int from = k - PawnStep(1 - g.us);
    for (int t : {from - 1, from + 1})
        if (onBoard(t) && g.sq[t] == pawn)
            addChecker(t, 0);
}

int castlingKing(const uint8_t* squares, int side)
{
    const int king = ColourValue(side) | King;
    const int base = backRow(side) * 16;
    int found = -1;
    for (int sq = base + 4; sq < base + 12; ++sq) {
        if (squares[sq] != king)
            continue;
        if (found >= 0)
            return -1;
        found = sq;
    }
    return found;
}

bool ownKingsSafe(const Gen& g)
{
    const int king = g.usCol | King;
    for (int row = 0; row < 8; ++row)
        for (int sq = row * 16 + 4; sq < row * 16 + 12; ++sq)
            if (g.sq[sq] == king && attackedBy<false>(g.sq, sq, 1 - g.us))
                return false;
    return true;
}

bool multiKingMoveSafe(Gen& g, int piece, int from, int to)
{
    uint8_t* s = g.sq;
    const int rook = g.usCol | Rook;
    const bool isKing = (piece & 7) == King;
    if (isKing && from == g.king &&
        (s[to] == rook || (!g.chess960 && (to - from == 2 || from - to == 2)))) {
        const int i = g.us * 2 + (to > from ? 0 : 1);
        const int r = s[to] == rook ? to : g.rooks[i];
        const int kt = KingTarget(i), rt = RookTarget(i);
        const uint8_t saved[4] = {s[from], s[r], s[kt], s[rt]};
        s[from] = 0;
        s[r] = 0;
        s[kt] = static_cast<uint8_t>(piece);
        s[rt] = static_cast<uint8_t>(rook);
        const bool safe = ownKingsSafe(g);
        s[rt] = saved[3];
        s[kt] = saved[2];
        s[r] = saved[1];
        s[from] = saved[0];
        return safe;
    }
    // The generator lifts a moving king off its square while it lists the king's steps, so the
    // from-square is put back as it was found.
    const uint8_t savedFrom = s[from], savedTo = s[to];
    int victim = -1;
    uint8_t savedVictim = 0;
    if ((piece & 7) == Pawn && FileOf(to) != FileOf(from) && savedTo == 0) {
        victim = to - PawnStep(g.us);
        savedVictim = s[victim];
        s[victim] = 0;
    }
    s[from] = 0;
    s[to] = static_cast<uint8_t>(piece);
    const bool safe = ownKingsSafe(g);
    s[to] = savedTo;
    s[from] = savedFrom;
    if (victim >= 0)
        s[victim] = savedVictim;
    return safe;
}

int matchLegal(Gen& g, MoveCode move, int& castleIndex)
{
    castleIndex = -1;
    const int from = MoveFrom(move), to = MoveTo(move), promo = MovePromo(move);
    if (!onBoard(from) || !onBoard(to))
        return -1;
    const int piece = g.sq[from];
    if (!(piece & g.usCol))
        return -1;
    const int us = g.us;
    if (piece == (g.usCol | King) && from == g.king) {
        for (int i = us * 2; i < us * 2 + 2; ++i)
            if (to == g.rooks[i] && castlingSetupOk(g, i))
                castleIndex = i;
        if (castleIndex < 0 && !g.chess960 && RowOf(to) == RowOf(from) &&
            (to - from == 2 || from - to == 2)) {
            const int i = us * 2 + (to > from ? 0 : 1);
            if (KingTarget(i) == to && castlingSetupOk(g, i))
                castleIndex = i;
        }
    }
    const int wantTo =
        castleIndex >= 0 ? (g.chess960 ? g.rooks[castleIndex] : KingTarget(castleIndex)) : to;
    const bool isPromo = (piece & 7) == Pawn && RowOf(to) == lastRow(us);
    const int wantPromo = isPromo ? promo : 0;
    bool found = false;
    genPiece(g, from, [&](int, int t, int p) {
        found = t == wantTo && p == wantPromo;
        return found;
    });
    if (!found) {
        castleIndex = -1;
        return -1;
    }
    return from | (wantTo << 7) | (wantPromo << 14);
}

bool insufficientMaterial(const uint8_t* squares)
{
    int knights = 0, bishops = 0, bishopColours = 0;
    for (int row = 0; row < 8; ++row) {
        for (int sq = row * 16 + 4; sq < row * 16 + 12; ++sq) {
            const int p = kSanitize[squares[sq]];
            if (p == 0 || p == kWall)
                continue;
            switch (p & 7) {
            case King:
                break;
            case Knight:
                ++knights;
                break;
            case Bishop:
                ++bishops;
                bishopColours |= 1 << ((row + sq) & 1);
                break;
            default:
                return false;
            }
        }
    }
    if (knights + bishops <= 1)
        return true;
    return knights == 0 && bishopColours != 3;
}

bool castlingRightUsable(const RulesBoard& b, int i)
{
    const int side = i / 2;
    const int king = castlingKing(b.squares, side);
    if (king < 0)
        return false;
    const int r = b.castlingRooks[i];
    return onBoard(r) && RowOf(r) == RowOf(king) && b.squares[r] == (ColourValue(side) | Rook) &&
           ((i & 1) == 0 ? r > king : r < king);
}

int outermostCastlingRook(const RulesBoard& b, int i)
{
    const int side = i / 2;
    const int king = castlingKing(b.squares, side);
    if (king < 0)
        return -1;
    const int rook = ColourValue(side) | Rook;
    const int base = backRow(side) * 16;
    if ((i & 1) == 0) {
        for (int sq = base + 11; sq > king; --sq)
            if (b.squares[sq] == rook)
                return sq;
    } else {
        for (int sq = base + 4; sq < king; ++sq)
            if (b.squares[sq] == rook)
                return sq;
    }
    return -1;
}

int resolveCastlingRook(const RulesBoard& b, int i)
{
    return castlingRightUsable(b, i) ? b.castlingRooks[i] : outermostCastlingRook(b, i);
}

bool castlingSetupIs960(const RulesBoard& b)
{
    const int mask = entryCastle(currentEntry(b));
    for (int i = 0; i < 4; ++i) {
        if (!(mask & (1 << i)) || !castlingRightUsable(b, i))
            continue;
        if (castlingKing(b.squares, i / 2) != (i < 2 ? 120 : 8) || b.castlingRooks[i] != StandardRookSquares[i])
            return true;
    }
    return false;
}

} // namespace kessrin_detail
