// Fuzz target for the rules library. Input: a position text, then after the first line break
// any number of move texts, one per line. Besides memory errors it traps when the library
// contradicts itself: a FEN it wrote does not read back, a generated move is refused, an undo
// does not restore the position, or SAN it wrote names another move. Positions without exactly
// one king per side are not chess positions: there only memory safety and bounds are checked.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kessrin.h"

namespace {

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr int MovesTriedPerPosition = 64;
constexpr int MovesSearchedDeeper = 8; // keeps an input fast enough for the fuzzer

bool strict = true; // the position on trial has one king per side

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkStrict(bool condition)
{
    if (strict)
        check(condition);
}

bool oneKingEach(const RulesBoard& board)
{
    int kings[2] = {0, 0};
    for (int square = 0; square < 128; ++square) {
        if (board.squares[square] == ColourValue(White) + King)
            ++kings[White];
        else if (board.squares[square] == ColourValue(Black) + King)
            ++kings[Black];
    }
    return kings[White] == 1 && kings[Black] == 1;
}

constexpr MoveCode Basic(MoveCode move)
{
    return move & 0xffff;
}

// Every generated move plays, writes SAN that reads back as itself and undoes cleanly.
void exerciseMoves(RulesBoard& board, int depth)
{
    MoveCode moves[1024];
    const int count = KessrinGenMoves(board, moves);
    check(count >= 0 && count <= 1024);
    const std::string before = KessrinBoard2Fen(board);
    const int historyBefore = board.historyCount;
    for (int i = 0; i < count && i < MovesTriedPerPosition; ++i) {
        const std::string san = KessrinMove2Alg(board, moves[i]);
        checkStrict(!san.empty());
        checkStrict(Basic(KessrinAlg2Move(board, san)) == Basic(moves[i]));
        int flags = 0;
        if (board.historyCount >= 1024)
            break;
        const bool played = KessrinTryMove(board, flags, moves[i]) != 0;
        checkStrict(played);
        if (!played)
            continue;
        if (depth > 1 && i < MovesSearchedDeeper)
            exerciseMoves(board, depth - 1);
        KessrinUndoMove(board);
        check(board.historyCount == historyBefore);
        checkStrict(KessrinBoard2Fen(board) == before);
    }
}

// Arbitrary move text: whatever it names must be playable and undoable.
void tryText(RulesBoard& board, std::string_view text)
{
    const MoveCode move = KessrinAlg2Move(board, text);
    if (move == 0 || board.historyCount >= 1024)
        return;
    const std::string before = KessrinBoard2Fen(board);
    int flags = 0;
    const bool played = KessrinTryMove(board, flags, move) != 0;
    checkStrict(played);
    if (!played)
        return;
    KessrinUndoMove(board);
    checkStrict(KessrinBoard2Fen(board) == before);
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
    strict = oneKingEach(board);
    check(board.side == 0 || board.side == 1);
    check(board.historyCount >= 0 && board.historyCount <= 1024);
    const std::string written = KessrinBoard2Fen(board);
    static RulesBoard reread;
    KessrinFen2Board(reread, written);
    check(KessrinBoard2Fen(reread) == written);
    (void)KessrinIsChess960(board);

    exerciseMoves(board, 2);
    for (std::string_view text : texts)
        tryText(board, text);
    tryText(board, fen);

    static RulesBoard start;
    KessrinFen2Board(start, StartFen);
    const bool strictBefore = strict;
    strict = true;
    tryText(start, fen);
    for (std::string_view text : texts)
        tryText(start, text);
    strict = strictBefore;

    // Texts in sequence: each one that names a move is played, as a game import would.
    for (std::string_view text : texts) {
        const MoveCode move = KessrinAlg2Move(board, text);
        int flags = 0;
        if (move == 0 || board.historyCount >= 1024 || KessrinTryMove(board, flags, move) == 0)
            continue;
        (void)MoveToCoord(move, true);
        exerciseMoves(board, 1);
    }
    return 0;
}
