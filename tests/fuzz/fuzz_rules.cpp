// Fuzz target for the rules library. Input: a position text, then after the first line break
// any number of move texts, one per line. Besides memory errors it traps when the library
// contradicts itself, on any board at all (no kings, two kings, pawns on the last rows):
// a FEN it wrote does not read back the same, the move generator, TryMove, Move2Alg and
// Alg2Move disagree on a move, a move's flags do not describe the position it leads to, or an
// undo does not restore the record exactly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "kessrin.h"

namespace {

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr int MovesTriedPerPosition = 64;
constexpr int MovesSearchedDeeper = 8; // keeps an input fast enough for the fuzzer

// Prints what went wrong before trapping, so that a finding explains itself when replayed.
void check(bool condition, const char* what, const RulesBoard& board, MoveCode move = 0)
{
    if (condition)
        return;
    std::fprintf(stderr, "rules fuzz: %s\n  position %s\n  move %s\n", what,
                 KessrinBoard2Fen(board).c_str(), MoveToCoord(move, true).c_str());
    __builtin_trap();
}

constexpr MoveCode Basic(MoveCode move)
{
    return move & 0xffff;
}

// The parts of the record that a move and its undo must leave as they were: everything the
// program reads, the library's state bytes and both histories up to the current entry.
bool sameRecord(const RulesBoard& a, const RulesBoard& b)
{
    if (a.side != b.side || a.historyCount != b.historyCount ||
        std::memcmp(a.libState, b.libState, sizeof a.libState) != 0 ||
        std::memcmp(a.castlingRooks, b.castlingRooks, sizeof a.castlingRooks) != 0 ||
        std::memcmp(a.squares, b.squares, sizeof a.squares) != 0)
        return false;
    const int n = a.historyCount >= 1 && a.historyCount <= 1024 ? a.historyCount : 0;
    return std::memcmp(a.history, b.history, n * sizeof(int32_t)) == 0 &&
           std::memcmp(a.libHistory, b.libHistory, n * sizeof(int32_t)) == 0;
}

bool listed(const MoveCode* moves, int count, MoveCode move)
{
    for (int i = 0; i < count; ++i)
        if (Basic(moves[i]) == Basic(move))
            return true;
    return false;
}

// Counted from the squares, independently of the library's own bookkeeping.
bool bareMaterial(const RulesBoard& board)
{
    int minors = 0, bishopColours = 0, knights = 0;
    for (int square = 0; square < 128; ++square) {
        const int code = board.squares[square];
        if (!OnBoard(square) || code == 0 ||
            !((code >= 8 && code <= 13) || (code >= 16 && code <= 21)))
            continue;
        switch (TypeOf(code)) {
        case King:
            break;
        case Knight:
            ++knights;
            ++minors;
            break;
        case Bishop:
            ++minors;
            bishopColours |= 1 << ((RowOf(square) + FileOf(square)) & 1);
            break;
        default:
            return false;
        }
    }
    return minors <= 1 || (knights == 0 && bishopColours != 3);
}

// Plays a move the library accepted and checks its flags against the position it leads to,
// then takes it back and checks that the record is restored exactly.
void playAndCheck(RulesBoard& board, MoveCode move, const RulesBoard& before)
{
    int flags = 0;
    if (KessrinTryMove(board, flags, move) == 0)
        return;
    MoveCode replies[1024];
    const int replyCount = KessrinGenMoves(board, replies);
    check(((flags & MoveFlag::NoReply) != 0) == (replyCount == 0), "no-reply flag wrong", board,
          move);
    check(((flags & MoveFlag::NoMaterial) != 0) == bareMaterial(board), "material flag wrong",
          board, move);
    const std::string after = KessrinBoard2Fen(board);
    static RulesBoard reread;
    KessrinFen2Board(reread, after);
    check(KessrinBoard2Fen(reread) == after, "FEN after a move does not read back", board, move);
    const int undoFlags = KessrinUndoMove(board);
    check(undoFlags == flags, "undo reports other flags", board, move);
    check(sameRecord(board, before), "undo does not restore the record", board, move);
}

// Every generated move plays, writes SAN that reads back as itself and undoes exactly; every
// other move from a square of the side to move is refused, or (another spelling of a castling)
// names a listed move through its SAN.
void exerciseMoves(RulesBoard& board, int depth, bool everyTarget)
{
    if (board.historyCount >= 1024)
        return;
    MoveCode moves[1024];
    const int count = KessrinGenMoves(board, moves);
    check(count >= 0 && count <= 1024, "move count out of range", board);
    const std::string before = KessrinBoard2Fen(board);
    static RulesBoard saved[4];
    RulesBoard& snapshot = saved[depth & 3];
    snapshot = board;
    for (int i = 0; i < count && i < MovesTriedPerPosition; ++i) {
        const std::string san = KessrinMove2Alg(board, moves[i]);
        check(!san.empty(), "generated move has no SAN", board, moves[i]);
        check(Basic(KessrinAlg2Move(board, san)) == Basic(moves[i]), "SAN reads back another move",
              board, moves[i]);
        int flags = 0;
        const bool played = KessrinTryMove(board, flags, moves[i]) != 0;
        check(played, "generated move refused", board, moves[i]);
        if (depth > 1 && i < MovesSearchedDeeper)
            exerciseMoves(board, depth - 1, false);
        KessrinUndoMove(board);
        check(sameRecord(board, snapshot), "undo does not restore the record", board, moves[i]);
        playAndCheck(board, moves[i], snapshot);
    }
    check(KessrinBoard2Fen(board) == before, "FEN changed by play and undo", board);
    if (!everyTarget)
        return;
    const int own = board.side == 0 ? 8 : 16;
    for (int from = 0; from < 128; ++from) {
        if (!OnBoard(from) || !(board.squares[from] & own))
            continue;
        for (int to = 0; to < 128; ++to) {
            if (!OnBoard(to))
                continue;
            // The promotion field means something only for a pawn reaching an end row.
            const bool promotes =
                TypeOf(board.squares[from]) == Pawn && (RowOf(to) == 0 || RowOf(to) == 7);
            const int promotions = promotes ? 4 : 1;
            for (int promo = 0; promo < promotions; ++promo) {
                const MoveCode move = MakeMove(from, to, promo);
                const std::string san = KessrinMove2Alg(board, move);
                int flags = 0;
                const bool legal = KessrinTryMove(board, flags, move) != 0;
                if (legal)
                    KessrinUndoMove(board);
                check(legal == !san.empty(), "TryMove and Move2Alg disagree", board, move);
                if (!legal || listed(moves, count, move))
                    continue;
                const MoveCode named = KessrinAlg2Move(board, san);
                check(TypeOf(board.squares[from]) == King && listed(moves, count, named),
                      "accepted move missing from the generated list", board, move);
            }
        }
    }
}

// Arbitrary move text: whatever it names must be listed, playable and undoable.
void tryText(RulesBoard& board, std::string_view text)
{
    const MoveCode move = KessrinAlg2Move(board, text);
    if (move == 0 || board.historyCount >= 1024)
        return;
    MoveCode moves[1024];
    const int count = KessrinGenMoves(board, moves);
    check(listed(moves, count, move), "text names a move not generated", board, move);
    static RulesBoard before;
    before = board;
    int flags = 0;
    check(KessrinTryMove(board, flags, move) != 0, "move read from text refused", board, move);
    KessrinUndoMove(board);
    check(sameRecord(board, before), "undo does not restore the record", board, move);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool initialised = false;
    if (!initialised) {
        KessrinInit();
        initialised = true;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t firstBreak = input.find('\n');
    const std::string_view fen = input.substr(0, firstBreak);
    std::vector<std::string_view> texts;
    for (size_t pos = firstBreak; pos != std::string_view::npos && pos < input.size();) {
        const size_t next = input.find('\n', pos + 1);
        texts.push_back(
            input.substr(pos + 1, next == std::string_view::npos ? next : next - pos - 1));
        pos = next;
    }

    static RulesBoard board;
    KessrinFen2Board(board, fen);
    check(board.side == 0 || board.side == 1, "side out of range", board);
    check(board.historyCount == 1, "history not fresh", board);
    const std::string written = KessrinBoard2Fen(board);
    static RulesBoard reread;
    KessrinFen2Board(reread, written);
    check(KessrinBoard2Fen(reread) == written, "FEN written does not read back", board);
    check(KessrinIsChess960(reread) == KessrinIsChess960(board),
          "Chess960 flag changed by writing and reading", board);

    exerciseMoves(board, 2, true);
    for (std::string_view text : texts)
        tryText(board, text);
    tryText(board, fen);

    static RulesBoard start;
    KessrinFen2Board(start, StartFen);
    tryText(start, fen);
    for (std::string_view text : texts)
        tryText(start, text);

    // Texts in sequence: each one that names a move is played, as a game import would.
    for (std::string_view text : texts) {
        const MoveCode move = KessrinAlg2Move(board, text);
        int flags = 0;
        if (move == 0 || board.historyCount >= 1024 || KessrinTryMove(board, flags, move) == 0)
            continue;
        (void)MoveToCoord(move, true);
        exerciseMoves(board, 1, true);
    }
    return 0;
}
