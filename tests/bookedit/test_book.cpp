// The book library on its own: keys, move fields, and files it must refuse without harm.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "bookedit/book.h"

#include <QTemporaryDir>

#include <array>
#include <fstream>
#include <string>
#include <vector>

namespace {

RulesBoard boardFrom(const std::string& fen)
{
    KessrinInit();
    RulesBoard board;
    KessrinFen2Board(board, fen);
    return board;
}

struct KeyRow {
    const char* fen;
    const char* moves; // the same position reached by play from the start
    uint64_t key;
};

// The test positions of the format description.
const KeyRow kKeyRows[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "", 0x463b96181691fc9cull},
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", "e2e4", 0x823c9b50fd114196ull},
    {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2", "e2e4 d7d5",
     0x0756b94461c50fb0ull},
    {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 2", "e2e4 d7d5 e4e5",
     0x662fafb965db29d4ull},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "e2e4 d7d5 e4e5 f7f5",
     0x22a48b5a8e47ff78ull},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPPKPPP/RNBQ1BNR b kq - 0 3", "e2e4 d7d5 e4e5 f7f5 e1e2",
     0x652a607ca3f242c1ull},
    {"rnbq1bnr/ppp1pkpp/8/3pPp2/8/8/PPPPKPPP/RNBQ1BNR w - - 0 4", "e2e4 d7d5 e4e5 f7f5 e1e2 e8f7",
     0x00fdd303c946bdd9ull},
    {"rnbqkbnr/p1pppppp/8/8/PpP4P/8/1P1PPPP1/RNBQKBNR b KQkq c3 0 3", "a2a4 b7b5 h2h4 b5b4 c2c4",
     0x3c8123ea7b067637ull},
    {"rnbqkbnr/p1pppppp/8/8/P6P/R1p5/1P1PPPP1/1NBQKBNR b Kkq - 0 4",
     "a2a4 b7b5 h2h4 b5b4 c2c4 b4c3 a1a3", 0x5c3f9b829b279560ull},
};

// Keys from a FEN and from play must agree: play is how the editor reaches its positions, and
// the rules library's en-passant and castling bookkeeping after moves is what the key reads.
TEST(BookKey, TestPositionsOfTheFormatFromFenAndFromPlay)
{
    for (const KeyRow& row : kKeyRows) {
        SCOPED_TRACE(row.fen);
        EXPECT_EQ(PolyglotKey(boardFrom(row.fen)), row.key);
        RulesBoard played = boardFrom(StartFen);
        playMoves(played, row.moves);
        EXPECT_EQ(PolyglotKey(played), row.key);
    }
}

// A pinned pawn still makes the en-passant file count; a pawn far from the pushed one does not.
TEST(BookKey, EnPassantFileCountsForAnAdjacentPawnOnly)
{
    const uint64_t pinned = PolyglotKey(boardFrom("4k3/8/8/K2pP2r/8/8/8/8 w - d6 0 1"));
    const uint64_t noTarget = PolyglotKey(boardFrom("4k3/8/8/K2pP2r/8/8/8/8 w - - 0 1"));
    EXPECT_NE(pinned, noTarget);
    EXPECT_EQ(PolyglotKey(boardFrom("4k3/8/8/3p3P/8/8/8/4K3 w - d6 0 1")),
              PolyglotKey(boardFrom("4k3/8/8/3p3P/8/8/8/4K3 w - - 0 1")));
}

struct DecodeRow {
    const char* fen;
    const char* field;    // the move field as coordinates, promotion letter as the book's piece
    const char* expected; // coordinates of the move code; "" when the field is refused
};

const DecodeRow kDecodeRows[] = {
    {StartFen, "e2e4", "e2e4"},
    {StartFen, "g1f3", "g1f3"},
    {StartFen, "e2e5", ""},
    {StartFen, "a1a1", ""},
    {StartFen, "e2e4q", ""}, // a promotion piece on a move that does not promote
    // Castling is written king-to-rook and decoded so; the king's own step is no castling.
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1h1", "e1h1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1a1", "e1a1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8h8", "e8h8"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", ""},
    {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "e1h1", ""},
    // Chess960: king b1 castles long with the rook beside it, king f1 short onto the rook.
    {"1k6/8/8/8/8/8/8/RK6 w A - 0 1", "b1a1", "b1a1"},
    {"4k3/8/8/8/8/8/8/5KR1 w G - 0 1", "f1g1", "f1g1"},
    // Promotions: the book's knight..queen become the code's 3..0.
    {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8n", "a7a8n"},
    {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8b", "a7a8b"},
    {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8r", "a7a8r"},
    {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8q", "a7a8q"},
    {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8", ""}, // a promotion without its piece
    {"4k3/8/8/8/8/8/1p6/2R1K3 b - - 0 1", "b2c1n", "b2c1n"},
};

TEST(BookMove, DecodingCastlingPromotionsAndRefusals)
{
    for (const DecodeRow& row : kDecodeRows) {
        SCOPED_TRACE(std::string(row.fen) + " " + row.field);
        const RulesBoard board = boardFrom(row.fen);
        const MoveCode move = DecodeBookMove(board, bookField(row.field));
        if (move == 0) {
            EXPECT_STREQ("", row.expected);
            continue;
        }
        RulesBoard after = board;
        int flags = 0;
        ASSERT_NE(KessrinTryMove(after, flags, move), 0);
        const bool promotes = (flags & MoveFlag::Promotion) != 0;
        EXPECT_EQ(MoveToCoord(move, promotes), row.expected);
        EXPECT_EQ(EncodeBookMove(move, promotes), bookField(row.field));
    }
}

class BookFile : public ::testing::Test {
protected:
    std::string path(const char* name) const { return folder.filePath(name).toStdString(); }
    int movesIn(const std::string& book, const RulesBoard& board)
    {
        return GetBookMoves(board, book, handles.data(), moves.data(), weights.data());
    }

    QTemporaryDir folder;
    std::array<int32_t, MaxBookMoves> handles{};
    std::array<MoveCode, MaxBookMoves> moves{};
    std::array<int32_t, MaxBookMoves> weights{};
};

TEST_F(BookFile, FindsTheEntriesOfAPositionAndSkipsIllegalOnes)
{
    const RulesBoard start = boardFrom(StartFen);
    RulesBoard afterE4 = start;
    playMoves(afterE4, "e2e4");
    const std::string book = path("small.bin");
    writeBook(book, {{afterE4, "e7e5", 7},
                     {start, "d2d4", 9},
                     {start, "e2e5", 50}, // not legal in the start position
                     {start, "e2e4", 12},
                     {afterE4, "c7c5", 3}});

    ASSERT_EQ(movesIn(book, start), 2);
    EXPECT_EQ(MoveToCoord(moves[0], false) + MoveToCoord(moves[1], false), "d2d4e2e4");
    EXPECT_EQ(weights[0] + weights[1], 21);
    ASSERT_EQ(movesIn(book, afterE4), 2);
    EXPECT_EQ(movesIn(book, boardFrom("4k3/8/8/8/8/8/8/4K3 w - - 0 1")), 0);

    // The handle names the entry: its weight alone changes, the book stays sorted and whole.
    ASSERT_EQ(movesIn(book, start), 2);
    const int32_t handle = handles[1];
    EXPECT_NE(PutBookMove(book, handle, moves[1], 70000), 0);
    EXPECT_EQ(PutBookMove(book, handle, moves[0], 5), 0); // another move than the entry's
    EXPECT_EQ(PutBookMove(book, 99, moves[1], 5), 0);
    EXPECT_EQ(PutBookMove(book, -1, moves[1], 5), 0);
    ASSERT_EQ(movesIn(book, start), 2);
    EXPECT_EQ(weights[1], 65535);
    EXPECT_EQ(weights[0], 9);
    EXPECT_EQ(movesIn(book, afterE4), 2);
    EXPECT_EQ(PutBookMove(path("missing.bin"), 0, moves[0], 1), 0);
}

TEST_F(BookFile, MissingEmptyTruncatedOrUnsortedBooksGiveNoMoves)
{
    const RulesBoard start = boardFrom(StartFen);
    RulesBoard afterE4 = start;
    playMoves(afterE4, "e2e4");
    const std::string good = path("good.bin");
    writeBook(good, {{start, "e2e4", 1}, {afterE4, "e7e5", 1}});
    ASSERT_EQ(movesIn(good, start), 1);
    const std::vector<char> bytes = readBytes(good);

    auto variant = [&](const char* name, std::vector<char> contents) {
        std::ofstream(path(name), std::ios::binary)
            .write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return path(name);
    };
    std::vector<char> shortened(bytes.begin(), bytes.end() - 1);
    std::vector<char> lengthened = bytes;
    lengthened.push_back(0);
    // Swapping the two entries leaves every entry intact but the order broken.
    std::vector<char> swapped(bytes.begin() + BookEntrySize, bytes.end());
    swapped.insert(swapped.end(), bytes.begin(), bytes.begin() + BookEntrySize);

    EXPECT_EQ(movesIn(path("missing.bin"), start), 0);
    EXPECT_EQ(movesIn(variant("empty.bin", {}), start), 0);
    EXPECT_EQ(movesIn(variant("short.bin", shortened), start), 0);
    EXPECT_EQ(movesIn(variant("long.bin", lengthened), start), 0);
    EXPECT_EQ(movesIn(variant("unsorted.bin", swapped), start), 0);
    EXPECT_EQ(movesIn(folder.path().toStdString(), start), 0); // a folder, not a file
}

TEST_F(BookFile, NeverMoreThanTheCallersArraysHold)
{
    const RulesBoard start = boardFrom(StartFen);
    std::vector<BookRow> rows(MaxBookMoves + 10, BookRow{start, "e2e4", 1});
    const std::string book = path("many.bin");
    writeBook(book, rows);
    EXPECT_EQ(movesIn(book, start), MaxBookMoves);
}

} // namespace
