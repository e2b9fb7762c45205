// Playing and taking back moves, move generation and position editing.
#include "position_internal.h"

using namespace kessrin_detail;

namespace {

constexpr uint32_t pieceKey(int code, int square)
{
    return kZobrist.piece[code & 31][square];
}

bool epPossible(Gen& g)
{
    if (g.epColumn < 4 || g.epColumn > 11)
        return false;
    const int victim = MakeSquare(g.epColumn, g.us == White ? 3 : 4);
    return epCaptureLegal(g, victim - 1) || epCaptureLegal(g, victim + 1);
}

uint32_t fullKey(const RulesBoard& b, bool withEp)
{
    uint32_t key = 0;
    for (int row = 0; row < 8; ++row)
        for (int sq = row * 16 + 4; sq < row * 16 + 12; ++sq)
            if (b.squares[sq])
                key ^= pieceKey(kSanitize[b.squares[sq]], sq);
    const int32_t e = currentEntry(b);
    key ^= kZobrist.castle[entryCastle(e)];
    if (withEp)
        key ^= kZobrist.ep[entryEp(e)];
    if (sideOf(b))
        key ^= kZobrist.side;
    return key;
}

// Half-move clock after the entry at index `last`: plies since the latest irreversible entry,
// or since the position read from FEN plus its own clock.
int recomputeClock(const RulesBoard& b, int last)
{
    for (int i = last; i >= 1; --i)
        if (b.history[i] & kIrrevBit)
            return last - i;
    return (b.libState[kStateBaseClock] | (b.libState[kStateBaseClock + 1] << 8)) + last;
}

int repetitionCount(const RulesBoard& b, int last, uint32_t key, int clock)
{
    int lower = last - clock;
    if (lower < 0)
        lower = 0;
    int count = 1;
    for (int i = last - 2; i >= lower; i -= 2)
        if ((static_cast<uint32_t>(b.libHistory[i]) & kKeyMask) == key && ++count >= 3)
            break;
    return count;
}

} // namespace

namespace kessrin_detail {

void refreshDerived(RulesBoard& b)
{
    if (!historyValid(b)) {
        b.historyCount = 1;
        b.history[0] = kIrrevBit;
        b.libHistory[0] = 0;
    }
    for (int side = 0; side < 2; ++side) {
        const int k = findKing(b, side);
        b.libState[kStateKing + side] = static_cast<uint8_t>(k < 0 ? 0 : k);
    }
    Gen g;
    setupGen(g, b);
    const bool ep = epPossible(g);
    const int last = b.historyCount - 1;
    const uint32_t flags = static_cast<uint32_t>(b.libHistory[last]) & 31u;
    b.libHistory[last] =
        static_cast<int32_t>((fullKey(b, ep) & kKeyMask) | flags | (ep ? kEpInKey : 0));
    b.libState[kStateNoMaterial] = insufficientMaterial(b.squares) ? 1 : 0;
}

} // namespace kessrin_detail

void KessrinInit()
{
    // The hash tables are built at compile time; nothing to prepare.
}

int KessrinGenMoves(const RulesBoard& board, MoveCode* out)
{
    Gen g;
    setupGen(g, board);
    int n = 0;
    genAll(g, [&](int from, int to, int promo) {
        if (n < 1024 && out)
            out[n] = from | (to << 7) | (promo << 14);
        ++n;
        return n >= 1024;
    });
    return n;
}

// A refused move counts as an attempt worth signalling (512) when the from-square holds a piece
// of the side to move and the to-square is another square on the board.
int KessrinTryMove(RulesBoard& b, int& flags, MoveCode move)
{
    flags = 0;
    const int hc = b.historyCount;
    const int from = MoveFrom(move), to = MoveTo(move), promo = MovePromo(move);
    if (hc < 1 || hc >= 1024 || !onBoard(from))
        return 0;
    Gen g;
    setupGen(g, b);
    const int us = g.us;
    const int piece = g.sq[from];
    if (!(piece & g.usCol))
        return 0;
    int castleIdx = -1;
    if (matchLegal(g, move, castleIdx) < 0) {
        if (onBoard(to) && to != from)
            flags = MoveFlag::IllegalAttempt;
        return 0;
    }
    const bool isPawn = (piece & 7) == Pawn;
    const bool isPromo = isPawn && RowOf(to) == lastRow(us);

    // Play it on the record.
    const int32_t prev = b.history[hc - 1];
    const uint32_t prevLib = static_cast<uint32_t>(b.libHistory[hc - 1]);
    uint32_t key = prevLib & kKeyMask; // low bits are masked off again once the key is complete
    if (prevLib & kEpInKey)
        key ^= kZobrist.ep[entryEp(prev)];
    int mask = entryCastle(prev);
    int captured = 0;
    int storedTo = to;
    bool special = false;
    int moveFlags = 0;
    uint8_t* s = b.squares;
    if (castleIdx >= 0) {
        const int r = g.rooks[castleIdx], kt = KingTarget(castleIdx), rt = RookTarget(castleIdx);
        const int king = g.usCol | King, rook = g.usCol | Rook;
        key ^= pieceKey(king, from) ^ pieceKey(king, kt) ^ pieceKey(rook, r) ^ pieceKey(rook, rt);
        s[from] = 0;
        s[r] = 0;
        s[kt] = static_cast<uint8_t>(king);
        s[rt] = static_cast<uint8_t>(rook);
        if (b.libState[kStateKing + us] == from)
            b.libState[kStateKing + us] = static_cast<uint8_t>(kt);
        storedTo = r;
        special = true;
        moveFlags |= MoveFlag::Castling;
    } else {
        int capSq = to;
        if (isPawn && FileOf(to) != FileOf(from) && s[to] == 0) {
            capSq = to - PawnStep(us);
            special = true;
            moveFlags |= MoveFlag::EnPassant;
        }
        captured = s[capSq];
        if (captured) {
            key ^= pieceKey(captured, capSq);
            s[capSq] = 0;
            moveFlags |= MoveFlag::Capture;
        }
        const int placed = isPromo ? (g.usCol | (promo + 1)) : piece;
        if (isPromo) {
            special = true;
            moveFlags |= MoveFlag::Promotion;
        }
        key ^= pieceKey(piece, from) ^ pieceKey(placed, to);
        s[from] = 0;
        s[to] = static_cast<uint8_t>(placed);
        // The cache follows the king it tracks, so that an undo can follow it back exactly.
        if ((piece & 7) == King && b.libState[kStateKing + us] == from)
            b.libState[kStateKing + us] = static_cast<uint8_t>(to);
    }
    const int newMask = [&] {
        int m = mask;
        if ((piece & 7) == King)
            m &= ~(3 << (us * 2));
        for (int i = 0; i < 4; ++i)
            if (m & (1 << i) && (from == g.rooks[i] || to == g.rooks[i]))
                m &= ~(1 << i);
        return m;
    }();
    key ^= kZobrist.castle[mask] ^ kZobrist.castle[newMask] ^ kZobrist.side;
    const int ep = isPawn && (to - from == 32 || from - to == 32) ? FileOf(to) : 0;
    const bool irrev = captured || isPawn;
    const int clock = irrev ? 0 : clockOf(b) + 1;
    setClock(b, clock);
    b.history[hc] = from | (storedTo << 7) | (isPromo ? promo << 14 : 0) | (newMask << 16) |
                    (ep << 20) | (captured << 24) | (special ? kSpecialBit : 0) |
                    (irrev ? kIrrevBit : 0);
    b.historyCount = hc + 1;
    b.side = 1 - us;

    // Report on the new position. The key holds the en-passant column only when a capture en
    // passant is actually legal, so repetition compares what can be played; the entry (and the
    // FEN) still names the target after every double step.
    Gen reply;
    setupGen(reply, b);
    uint32_t lib = 0;
    if (ep && epPossible(reply)) {
        key ^= kZobrist.ep[ep];
        lib |= kEpInKey;
    }
    key &= kKeyMask;
    if (reply.checkers || reply.kingsAttacked)
        moveFlags |= MoveFlag::Check;
    if (!anyLegalMove(reply))
        moveFlags |= MoveFlag::NoReply;
    if (clock >= 4 && repetitionCount(b, hc, key, clock) >= 3)
        moveFlags |= MoveFlag::Repetition;
    if (clock >= 100)
        moveFlags |= MoveFlag::FiftyMoves;
    if (captured || isPromo)
        b.libState[kStateNoMaterial] = insufficientMaterial(s) ? 1 : 0;
    if (b.libState[kStateNoMaterial])
        moveFlags |= MoveFlag::NoMaterial;
    b.libHistory[hc] = static_cast<int32_t>(key | lib | ((moveFlags >> 4) & 31));
    flags = moveFlags;
    return 1;
}

int KessrinUndoMove(RulesBoard& b)
{
    const int hc = b.historyCount;
    if (hc < 2 || hc > 1024)
        return 0;
    const int32_t e = b.history[hc - 1];
    const int us = 1 - sideOf(b);
    const int col = ColourValue(us);
    const int from = e & 127, to = (e >> 7) & 127;
    const int captured = entryCaptured(e);
    uint8_t* s = b.squares;
    int flags = (static_cast<uint32_t>(b.libHistory[hc - 1]) & 31u) << 4;
    bool materialChanged = captured != 0;
    if ((e & kSpecialBit) && RowOf(from) == RowOf(to)) {
        const int i = us * 2 + (to > from ? 0 : 1);
        s[KingTarget(i)] = 0;
        s[RookTarget(i)] = 0;
        s[from] = static_cast<uint8_t>(col | King);
        s[to] = static_cast<uint8_t>(col | Rook);
        flags |= MoveFlag::Castling;
    } else if ((e & kSpecialBit) && (RowOf(to) == 0 || RowOf(to) == 7)) {
        s[from] = static_cast<uint8_t>(col | Pawn);
        s[to] = static_cast<uint8_t>(captured);
        flags |= MoveFlag::Promotion;
        materialChanged = true;
    } else if (e & kSpecialBit) {
        const int victim = to - PawnStep(us);
        s[from] = s[to];
        s[to] = 0;
        if (victim >= 0 && victim < 128)
            s[victim] = static_cast<uint8_t>(captured);
        flags |= MoveFlag::EnPassant;
    } else {
        s[from] = s[to];
        s[to] = static_cast<uint8_t>(captured);
    }
    if (captured)
        flags |= MoveFlag::Capture;
    // Follow the king back only when it is the one the cache tracks (boards may hold two).
    const bool castling = (e & kSpecialBit) && RowOf(from) == RowOf(to);
    const int kingAfter = castling ? KingTarget(us * 2 + (to > from ? 0 : 1)) : to;
    if (s[from] == (col | King) && b.libState[kStateKing + us] == kingAfter)
        b.libState[kStateKing + us] = static_cast<uint8_t>(from);
    b.historyCount = hc - 1;
    b.side = us;
    setClock(b, (e & kIrrevBit) ? recomputeClock(b, hc - 2) : clockOf(b) - 1);
    if (materialChanged)
        b.libState[kStateNoMaterial] = insufficientMaterial(s) ? 1 : 0;
    return flags;
}

void KessrinAddPiece(RulesBoard& board, int square, int piece)
{
    if (!onBoard(square) || !validPiece(piece))
        return;
    board.squares[square] = static_cast<uint8_t>(piece);
    refreshDerived(board);
}

void KessrinDelPiece(RulesBoard& board, int square, int /*piece*/)
{
    if (!onBoard(square))
        return;
    board.squares[square] = 0;
    refreshDerived(board);
}

void KessrinClearBoard(RulesBoard& board)
{
    std::memset(board.squares, 0, sizeof board.squares);
    std::memcpy(board.castlingRooks, StandardRookSquares, 4);
    board.side = sideOf(board);
    board.historyCount = 1;
    board.history[0] = kIrrevBit;
    board.libHistory[0] = 0;
    std::memset(board.libState, 0, sizeof board.libState);
    refreshDerived(board);
}

void KessrinChangeSide(RulesBoard& board)
{
    board.side = 1 - sideOf(board);
    refreshDerived(board);
}

void KessrinSetIrrev(RulesBoard& board, int castlingMask, int epValue)
{
    if (!historyValid(board)) {
        board.historyCount = 1;
        board.history[0] = kIrrevBit;
    }
    const int mask = castlingMask & 15;
    const int ep = epValue >= 4 && epValue <= 11 ? epValue : 0;
    int32_t& e = board.history[board.historyCount - 1];
    e = (e & ~(0xFF << 16)) | (mask << 16) | (ep << 20);
    for (int i = 0; i < 4; ++i) {
        if (!(mask & (1 << i)))
            continue;
        const int r = resolveCastlingRook(board, i);
        if (r >= 0)
            board.castlingRooks[i] = static_cast<uint8_t>(r);
    }
    board.libState[kStateChess960] = castlingSetupIs960(board) ? 1 : 0;
    refreshDerived(board);
}

bool KessrinKingAttacked(const RulesBoard& board, int side)
{
    const int king = findKing(board, side);
    return king >= 0 && attacked(board.squares, king, 1 - side);
}
