#include "bookedit/book.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "polyglot_random.h"

namespace {

constexpr int RandomCastleOffset = 768;
constexpr int RandomEnPassantOffset = 772;
constexpr int RandomTurnOffset = 780;
constexpr std::size_t MoveOffset = 8;
constexpr std::size_t WeightOffset = 10;
// Handles are entry indexes in 32 bits; a larger file is no book the editor can use.
constexpr std::uintmax_t MaxBookBytes = static_cast<std::uintmax_t>(INT32_MAX) * BookEntrySize;

// Polyglot numbers squares a1 = 0 .. h8 = 63, rank by rank from White's side.
int bookSquare(int square)
{
    return (7 - RowOf(square)) * 8 + (FileOf(square) - 4);
}

int boardSquare(int bookSquare)
{
    return MakeSquare(bookSquare % 8 + 4, 7 - bookSquare / 8);
}

// Pawn 0/1, knight 2/3, bishop 4/5, rook 6/7, queen 8/9, king 10/11: Black even, White odd.
int kindOfPiece(int code)
{
    static constexpr int kindOfType[6] = {10, 8, 6, 4, 2, 0}; // King..Pawn
    const int type = TypeOf(code);
    if (type > Pawn)
        return -1;
    if (code == ColourValue(White) + type)
        return kindOfType[type] + 1;
    if (code == ColourValue(Black) + type)
        return kindOfType[type];
    return -1;
}

// Polyglot promotion piece (1 knight .. 4 queen) to the move code's field (3 knight .. 0 queen).
int promotionCode(int bookPromotion)
{
    return 4 - bookPromotion;
}

int32_t currentEntry(const RulesBoard& board)
{
    return board.historyCount >= 1 && board.historyCount <= 1024
               ? board.history[board.historyCount - 1]
               : 0;
}

uint64_t readBigEndian(const unsigned char* bytes, int count)
{
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

bool sortedByKey(const unsigned char* data, std::size_t entries)
{
    for (std::size_t i = 1; i < entries; ++i)
        if (readBigEndian(data + (i - 1) * BookEntrySize, 8) >
            readBigEndian(data + i * BookEntrySize, 8))
            return false;
    return true;
}

// The whole file, or nothing when it is no regular file or cannot be read.
std::vector<unsigned char> readBook(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > MaxBookBytes)
        return {};
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return {};
    return bytes;
}

// A fresh board from the FEN to try moves on: the caller's history may be full, and legality
// does not depend on it.
void prepareTrial(RulesBoard& trial, const RulesBoard& board)
{
    KessrinFen2Board(trial, KessrinBoard2Fen(board));
}

// Decodes a move field on a prepared board, which is left as it was.
MoveCode decodeOn(RulesBoard& trial, uint16_t bookMove)
{
    const int to = boardSquare(bookMove & 63);
    const int from = boardSquare((bookMove >> 6) & 63);
    const int bookPromotion = (bookMove >> 12) & 7;
    if (from == to || bookPromotion > 4)
        return 0;

    const int side = trial.side != 0 ? Black : White;
    const int piece = trial.squares[from];
    const bool castling =
        piece == ColourValue(side) + King && trial.squares[to] == ColourValue(side) + Rook;
    const bool promotes = piece == ColourValue(side) + Pawn && RowOf(to) == (side == White ? 0 : 7);
    if (promotes != (bookPromotion != 0))
        return 0;
    const MoveCode move = MakeMove(from, to, promotes ? promotionCode(bookPromotion) : 0);

    int flags = 0;
    if (KessrinTryMove(trial, flags, move) == 0)
        return 0;
    KessrinUndoMove(trial);
    // The king's two-square step is how the rules library also accepts a standard castling;
    // in a book it is an ordinary king move, which can never be legal.
    if (((flags & MoveFlag::Castling) != 0) != castling)
        return 0;
    return move;
}

} // namespace

uint64_t PolyglotKey(const RulesBoard& board)
{
    uint64_t key = 0;
    for (int square = 0; square < 128; ++square) {
        if (!OnBoard(square) || board.squares[square] == 0)
            continue;
        const int kind = kindOfPiece(board.squares[square]);
        if (kind >= 0)
            key ^= PolyglotRandom[64 * kind + bookSquare(square)];
    }

    const int32_t entry = currentEntry(board);
    const int castling = (entry >> 16) & 15;
    for (int right = 0; right < 4; ++right)
        if (castling & (1 << right))
            key ^= PolyglotRandom[RandomCastleOffset + right];

    // Unlike FEN, the en-passant file counts only when a pawn of the side to move stands beside
    // the pawn that just made its double step, whether or not the capture would be legal.
    const int side = board.side != 0 ? Black : White;
    const int epColumn = (entry >> 20) & 15;
    if (epColumn >= 4 && epColumn <= 11) {
        const int pushed = MakeSquare(epColumn, side == White ? 3 : 4);
        const int ownPawn = ColourValue(side) + Pawn;
        const bool besideIt = (OnBoard(pushed - 1) && board.squares[pushed - 1] == ownPawn) ||
                              (OnBoard(pushed + 1) && board.squares[pushed + 1] == ownPawn);
        if (besideIt)
            key ^= PolyglotRandom[RandomEnPassantOffset + epColumn - 4];
    }

    if (side == White)
        key ^= PolyglotRandom[RandomTurnOffset];
    return key;
}

MoveCode DecodeBookMove(const RulesBoard& board, uint16_t bookMove)
{
    RulesBoard trial;
    prepareTrial(trial, board);
    return decodeOn(trial, bookMove);
}

uint16_t EncodeBookMove(MoveCode move, bool promotes)
{
    const int bookPromotion = promotes ? 4 - MovePromo(move) : 0;
    return static_cast<uint16_t>(bookSquare(MoveTo(move)) | bookSquare(MoveFrom(move)) << 6 |
                                 bookPromotion << 12);
}

int FindBookMoves(const RulesBoard& board, const unsigned char* data, std::size_t size,
                  int32_t* handles, MoveCode* moves, int32_t* weights)
{
    if (data == nullptr || size == 0 || size % BookEntrySize != 0)
        return 0;
    const std::size_t entries = size / BookEntrySize;
    if (entries > static_cast<std::size_t>(INT32_MAX) || !sortedByKey(data, entries))
        return 0;

    const uint64_t key = PolyglotKey(board);
    std::size_t low = 0, high = entries;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (readBigEndian(data + middle * BookEntrySize, 8) < key)
            low = middle + 1;
        else
            high = middle;
    }

    RulesBoard trial;
    prepareTrial(trial, board);
    int count = 0;
    for (std::size_t i = low; i < entries && count < MaxBookMoves; ++i) {
        const unsigned char* entry = data + i * BookEntrySize;
        if (readBigEndian(entry, 8) != key)
            break;
        const MoveCode move =
            decodeOn(trial, static_cast<uint16_t>(readBigEndian(entry + MoveOffset, 2)));
        if (move == 0)
            continue;
        handles[count] = static_cast<int32_t>(i);
        moves[count] = move;
        weights[count] = static_cast<int32_t>(readBigEndian(entry + WeightOffset, 2));
        ++count;
    }
    return count;
}

int GetBookMoves(const RulesBoard& board, const std::string& bookPath, int32_t* handles,
                 MoveCode* moves, int32_t* weights)
{
    const std::vector<unsigned char> bytes = readBook(bookPath);
    return FindBookMoves(board, bytes.data(), bytes.size(), handles, moves, weights);
}

int PutBookMove(const std::string& bookPath, int32_t handle, MoveCode move, int32_t weight)
{
    std::fstream book(bookPath, std::ios::binary | std::ios::in | std::ios::out);
    if (!book || handle < 0)
        return 0;
    book.seekg(0, std::ios::end);
    const std::streamoff size = book.tellg();
    const std::streamoff offset = static_cast<std::streamoff>(handle) * BookEntrySize;
    if (size < 0 || offset + static_cast<std::streamoff>(BookEntrySize) > size)
        return 0;

    unsigned char field[2];
    book.seekg(offset + static_cast<std::streamoff>(MoveOffset));
    if (!book.read(reinterpret_cast<char*>(field), 2))
        return 0;
    // The move decides nothing but guards against a book changed since the handle was given.
    const int bookMove = field[0] << 8 | field[1];
    const int bookPromotion = (bookMove >> 12) & 7;
    const bool sameMove =
        boardSquare(bookMove & 63) == MoveTo(move) &&
        boardSquare((bookMove >> 6) & 63) == MoveFrom(move) &&
        (bookPromotion == 0
             ? MovePromo(move) == 0
             : bookPromotion <= 4 && promotionCode(bookPromotion) == MovePromo(move));
    if (!sameMove)
        return 0;

    const int32_t clamped = std::clamp(weight, int32_t{0}, MaxBookWeight);
    const unsigned char bytes[2] = {static_cast<unsigned char>(clamped >> 8),
                                    static_cast<unsigned char>(clamped & 255)};
    book.seekp(offset + static_cast<std::streamoff>(WeightOffset));
    book.write(reinterpret_cast<const char*>(bytes), 2);
    book.flush();
    return book ? 1 : 0;
}
