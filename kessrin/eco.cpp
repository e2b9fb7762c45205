// The opening table: position key -> "ECO|opening|variation|sub-variation", read from ECO.TXT.
#include "eco.h"

#include <fstream>
#include <sstream>
#include <unordered_map>

namespace {

constexpr const char* StandardStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr int MaxEcoMoves = 63;

std::unordered_map<std::string, std::string>& ecoTable()
{
    static std::unordered_map<std::string, std::string> table;
    return table;
}

// Square of an en-passant field such as "e3"; -1 for "-" or anything unreadable.
int epSquareOf(std::string_view field)
{
    if (field.size() != 2 || !IsFileLetter(field[0]) || !IsRankDigit(field[1]))
        return -1;
    return MakeSquare(ColumnOfLetter(field[0]), RowOfDigit(field[1]));
}

bool enPassantCapturePossible(const RulesBoard& board, int epSquare)
{
    MoveCode moves[1024];
    const int count = KessrinGenMoves(board, moves);
    for (int i = 0; i < count; ++i) {
        const int from = MoveFrom(moves[i]);
        if (MoveTo(moves[i]) == epSquare && TypeOf(board.squares[from]) == Pawn &&
            FileOf(from) != FileOf(epSquare))
            return true;
    }
    return false;
}

// A key has exactly four space-separated, non-empty fields.
bool isKey(std::string_view key)
{
    int fields = 0;
    size_t pos = 0;
    while (pos <= key.size()) {
        size_t next = key.find(' ', pos);
        if (next == std::string_view::npos)
            next = key.size();
        if (next == pos)
            return false;
        ++fields;
        pos = next + 1;
    }
    return fields == 4;
}

// "B90|Sicilian|Najdorf|": a three-character code A00..E99 and exactly four fields.
bool isEntry(std::string_view entry)
{
    if (entry.size() < 6 || entry[0] < 'A' || entry[0] > 'E' || entry[1] < '0' || entry[1] > '9' ||
        entry[2] < '0' || entry[2] > '9' || entry[3] != '|')
        return false;
    int bars = 0;
    for (char c : entry)
        bars += c == '|';
    return bars == 3;
}

} // namespace

std::string EcoPositionKey(const RulesBoard& board)
{
    std::string fen = KessrinBoard2Fen(board);
    const size_t epStart = fen.rfind(' ');
    if (epStart == std::string::npos)
        return fen;
    const std::string_view epField = std::string_view(fen).substr(epStart + 1);
    if (epField != "-") {
        const int square = epSquareOf(epField);
        if (square < 0 || !enPassantCapturePossible(board, square)) {
            fen.resize(epStart + 1);
            fen += '-';
        }
    }
    return fen;
}

int KessrinLoadEco(const std::string& path, int tableSizeHint)
{
    auto& table = ecoTable();
    table.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string text = std::move(buffer).str();
    table.reserve(static_cast<size_t>(tableSizeHint > 0 ? tableSizeHint : 0));

    std::string_view rest(text);
    while (!rest.empty()) {
        size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == '#')
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, tab);
        const std::string_view entry = line.substr(tab + 1);
        if (!isKey(key) || !isEntry(entry))
            continue;
        table.try_emplace(std::string(key), std::string(entry));
    }
    return static_cast<int>(table.size());
}

std::optional<std::string> KessrinSearchEco(const MoveCode* moves)
{
    const auto& table = ecoTable();
    if (table.empty() || moves == nullptr)
        return std::nullopt;
    RulesBoard board;
    KessrinFen2Board(board, StandardStartFen);
    for (int i = 0; i < MaxEcoMoves && moves[i] != 0; ++i) {
        int flags = 0;
        if (KessrinTryMove(board, flags, moves[i]) == 0)
            return std::nullopt;
    }
    const auto found = table.find(EcoPositionKey(board));
    if (found == table.end())
        return std::nullopt;
    return found->second;
}

void KessrinUnloadEco()
{
    auto& table = ecoTable();
    table.clear();
    table.rehash(0);
}
