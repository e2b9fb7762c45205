// Fuzz target for the book reader. The input is read twice: once as a book file as it stands,
// looked up from the start position and the positions its moves lead to; and once as entries
// whose first byte picks one of a few positions and whose key is replaced by that position's,
// so that every move field meets the decoder without the fuzzer having to guess 64-bit keys.
// Besides memory errors it traps when a returned move is not legal, its handle does not name
// an entry of the position holding that move, or more moves come back than the callers hold.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "bookedit/book.h"

namespace {

constexpr const char* Positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/1P4P1/8/8/8/8/1p4p1/R3K2R w KQkq - 0 1",
    "r3k2r/1P4P1/8/8/8/8/1p4p1/R3K2R b KQkq - 0 1",
    "4k3/8/8/K2pP2r/8/8/8/8 w - d6 0 1",
    "nrkbbqrn/pppppppp/8/8/8/8/PPPPPPPP/NRKBBQRN w GBgb - 0 1",
    "1k6/8/8/8/8/8/8/RK5R w HA - 0 1",
};
constexpr int PositionCount = sizeof Positions / sizeof Positions[0];
constexpr int WalkDepth = 3;
constexpr int WalkBranches = 3;

void check(bool condition, const char* what, const RulesBoard& board, MoveCode move = 0)
{
    if (condition)
        return;
    std::fprintf(stderr, "book fuzz: %s\n  position %s\n  move %s\n", what,
                 KessrinBoard2Fen(board).c_str(), MoveToCoord(move, true).c_str());
    __builtin_trap();
}

uint64_t keyAt(const unsigned char* entry)
{
    uint64_t key = 0;
    for (int i = 0; i < 8; ++i)
        key = key << 8 | entry[i];
    return key;
}

// Looks the position up and checks every answer against the book bytes; returns the count.
int lookUp(const RulesBoard& board, const std::vector<unsigned char>& book, MoveCode* moves)
{
    static int32_t handles[MaxBookMoves];
    static int32_t weights[MaxBookMoves];
    const int n = FindBookMoves(board, book.data(), book.size(), handles, moves, weights);
    check(n >= 0 && n <= MaxBookMoves, "move count out of range", board);
    const uint64_t key = PolyglotKey(board);
    const std::size_t entries = book.size() / BookEntrySize;
    for (int i = 0; i < n; ++i) {
        check(handles[i] >= 0 && static_cast<std::size_t>(handles[i]) < entries,
              "handle outside the book", board, moves[i]);
        check(i == 0 || handles[i] > handles[i - 1], "moves out of book order", board, moves[i]);
        const unsigned char* entry = book.data() + handles[i] * BookEntrySize;
        check(keyAt(entry) == key, "handle names an entry of another position", board, moves[i]);
        const uint16_t field = static_cast<uint16_t>(entry[8] << 8 | entry[9]);
        check(DecodeBookMove(board, field) == moves[i], "move is not the entry's", board, moves[i]);
        check(weights[i] == (entry[10] << 8 | entry[11]), "weight is not the entry's", board,
              moves[i]);
        RulesBoard after = board;
        int flags = 0;
        check(KessrinTryMove(after, flags, moves[i]) != 0, "book move is not legal", board,
              moves[i]);
        check(!KessrinMove2Alg(board, moves[i]).empty(), "book move has no SAN", board, moves[i]);
        check(EncodeBookMove(moves[i], (flags & MoveFlag::Promotion) != 0) == (field & 0x7fff),
              "move does not encode back to its field", board, moves[i]);
    }
    return n;
}

void walk(RulesBoard& board, const std::vector<unsigned char>& book, int depth)
{
    MoveCode moves[MaxBookMoves];
    const int n = lookUp(board, book, moves);
    if (depth == 0)
        return;
    for (int i = 0; i < n && i < WalkBranches; ++i) {
        int flags = 0;
        if (KessrinTryMove(board, flags, moves[i]) == 0)
            continue;
        walk(board, book, depth - 1);
        KessrinUndoMove(board);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool initialised = false;
    static RulesBoard boards[PositionCount];
    if (!initialised) {
        KessrinInit();
        for (int i = 0; i < PositionCount; ++i)
            KessrinFen2Board(boards[i], Positions[i]);
        initialised = true;
    }

    const std::vector<unsigned char> raw(data, data + size);
    static RulesBoard start;
    start = boards[0];
    walk(start, raw, WalkDepth);

    std::vector<std::vector<unsigned char>> keyed;
    for (std::size_t at = 0; at + BookEntrySize <= size; at += BookEntrySize) {
        std::vector<unsigned char> entry(data + at, data + at + BookEntrySize);
        const uint64_t key = PolyglotKey(boards[entry[0] % PositionCount]);
        for (int i = 0; i < 8; ++i)
            entry[static_cast<std::size_t>(i)] = static_cast<unsigned char>(key >> (56 - 8 * i));
        keyed.push_back(std::move(entry));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return keyAt(a.data()) < keyAt(b.data());
    });
    std::vector<unsigned char> book;
    for (const auto& entry : keyed)
        book.insert(book.end(), entry.begin(), entry.end());
    MoveCode moves[MaxBookMoves];
    for (RulesBoard& board : boards) {
        const int n = lookUp(board, book, moves);
        check(n <= static_cast<int>(keyed.size()), "more moves than entries", board);
    }
    return 0;
}
