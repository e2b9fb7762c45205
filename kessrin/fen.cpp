// FEN, X-FEN and Shredder-FEN reading and writing.
#include <string>
#include <string_view>
#include <vector>

#include "position_internal.h"

using namespace kessrin_detail;

namespace {

constexpr std::string_view kPieceLetters = "KQRBNP";

int pieceOfLetter(char c)
{
    const bool black = c >= 'a' && c <= 'z';
    const char upper = black ? static_cast<char>(c - 'a' + 'A') : c;
    const auto pos = kPieceLetters.find(upper);
    if (pos == std::string_view::npos)
        return 0;
    return ColourValue(black ? Black : White) | static_cast<int>(pos);
}

std::vector<std::string_view> splitFields(std::string_view text)
{
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size() && fields.size() < 6) {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
            ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
               text[i] != '\n')
            ++i;
        if (i > start)
            fields.push_back(text.substr(start, i - start));
    }
    return fields;
}

void readPlacement(RulesBoard& b, std::string_view field)
{
    int row = 0, col = 0;
    for (char c : field) {
        if (c == '/') {
            if (++row >= 8)
                return;
            col = 0;
        } else if (c >= '1' && c <= '8') {
            col += c - '0';
        } else if (const int piece = pieceOfLetter(c); piece && col < 8) {
            b.squares[MakeSquare(col + 4, row)] = static_cast<uint8_t>(piece);
            ++col;
        }
    }
}

// One castling character: KQkq name the outermost rook on that wing, file letters name the
// rook's file (Shredder-FEN and X-FEN). A character that names no rook of its colour on the back
// rank beside a back-rank king is dropped and leaves the rooks already read untouched.
void readCastlingChar(RulesBoard& b, char c, int& mask)
{
    const bool white = c >= 'A' && c <= 'Z';
    const int side = white ? White : Black;
    const char lower = white ? static_cast<char>(c - 'A' + 'a') : c;
    const int king = castlingKing(b.squares, side);
    if (king < 0)
        return;
    int index = -1, rook = -1;
    if (lower == 'k' || lower == 'q') {
        index = side * 2 + (lower == 'k' ? 0 : 1);
        rook = outermostCastlingRook(b, index);
    } else if (lower >= 'a' && lower <= 'h') {
        rook = MakeSquare(ColumnOfLetter(lower), backRow(side));
        if (rook == king || b.squares[rook] != (ColourValue(side) | Rook))
            return;
        index = side * 2 + (rook > king ? 0 : 1);
    }
    if (index < 0 || rook < 0)
        return;
    b.castlingRooks[index] = static_cast<uint8_t>(rook);
    mask |= 1 << index;
}

// An en-passant column is kept (and written) only when a double step could have produced it.
bool epPlausible(const RulesBoard& b, int column)
{
    if (column < 4 || column > 11)
        return false;
    const int side = sideOf(b);
    const int target = MakeSquare(column, side == White ? 2 : 5);
    const int victim = target - PawnStep(side);
    const int origin = target + PawnStep(side);
    return !b.squares[target] && !b.squares[origin] &&
           b.squares[victim] == (ColourValue(1 - side) | Pawn);
}

int readEnPassant(const RulesBoard& b, std::string_view field)
{
    if (field.size() < 2 || !IsFileLetter(field[0]) || !IsRankDigit(field[1]))
        return 0;
    const int column = ColumnOfLetter(field[0]);
    if (RowOfDigit(field[1]) != (sideOf(b) == White ? 2 : 5))
        return 0;
    return epPlausible(b, column) ? column : 0;
}

int readNumber(std::string_view field)
{
    int n = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + (c - '0');
        if (n > 9999)
            return 9999;
    }
    return n;
}

} // namespace

void KessrinFen2Board(RulesBoard& b, std::string_view fen)
{
    b = RulesBoard{};
    std::memcpy(b.castlingRooks, StandardRookSquares, 4);
    const auto fields = splitFields(fen);
    if (!fields.empty())
        readPlacement(b, fields[0]);
    b.side = fields.size() > 1 && (fields[1][0] == 'b' || fields[1][0] == 'B') ? Black : White;
    b.historyCount = 1;
    for (int side = 0; side < 2; ++side) {
        const int k = findKing(b, side);
        b.libState[kStateKing + side] = static_cast<uint8_t>(k < 0 ? 0 : k);
    }
    int mask = 0;
    if (fields.size() > 2)
        for (char c : fields[2])
            readCastlingChar(b, c, mask);
    for (int i = 0; i < 4; ++i)
        if (!(mask & (1 << i)))
            b.castlingRooks[i] = StandardRookSquares[i];
    const int ep = fields.size() > 3 ? readEnPassant(b, fields[3]) : 0;
    b.history[0] = kIrrevBit | (mask << 16) | (ep << 20);
    const int clock = fields.size() > 4 ? readNumber(fields[4]) : 0;
    setClock(b, clock);
    b.libState[kStateBaseClock] = b.libState[kStateClock];
    b.libState[kStateBaseClock + 1] = b.libState[kStateClock + 1];
    b.libState[kStateChess960] = castlingSetupIs960(b) ? 1 : 0;
    refreshDerived(b);
}

std::string KessrinBoard2Fen(const RulesBoard& b)
{
    std::string fen;
    for (int row = 0; row < 8; ++row) {
        int empty = 0;
        for (int col = 4; col < 12; ++col) {
            const int p = b.squares[MakeSquare(col, row)];
            if (!validPiece(p)) {
                ++empty;
                continue;
            }
            if (empty)
                fen += static_cast<char>('0' + empty);
            empty = 0;
            const char letter = kPieceLetters[p & 7];
            fen += (p & 16) ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
        if (empty)
            fen += static_cast<char>('0' + empty);
        if (row < 7)
            fen += '/';
    }
    fen += sideOf(b) == White ? " w " : " b ";
    const int32_t e = currentEntry(b);
    const int mask = entryCastle(e);
    // Only the castlings the generator would play are written, as file letters when the rooks
    // or kings stand off the standard squares, so that the text reads back as itself.
    const bool fileLetters = castlingSetupIs960(b);
    std::string castling;
    for (int i = 0; i < 4; ++i) {
        if (!(mask & (1 << i)) || !castlingRightUsable(b, i))
            continue;
        char c = fileLetters ? FileLetter(FileOf(b.castlingRooks[i])) : ((i & 1) ? 'q' : 'k');
        if (i < 2)
            c = static_cast<char>(c - 'a' + 'A');
        castling += c;
    }
    fen += castling.empty() ? "-" : castling;
    const int ep = entryEp(e);
    if (epPlausible(b, ep)) {
        fen += ' ';
        fen += FileLetter(ep);
        fen += sideOf(b) == White ? '6' : '3';
    } else {
        fen += " -";
    }
    return fen;
}

bool KessrinIsChess960(const RulesBoard& board)
{
    return board.libState[kStateChess960] != 0 || castlingSetupIs960(board);
}
