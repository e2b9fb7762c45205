#include "puzzle_convert.h"

#include "kessrin.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace puzzles {

namespace {

std::string_view trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// A scalar as written: quotes taken off, YAML's doubled single quote and \" undone.
std::string unquote(std::string_view text)
{
    text = trim(text);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        const char quote = text.front();
        text = text.substr(1, text.size() - 2);
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (quote == '\'' && text[i] == '\'' && i + 1 < text.size() && text[i + 1] == '\'')
                ++i;
            else if (quote == '"' && text[i] == '\\' && i + 1 < text.size())
                ++i;
            out += text[i];
        }
        return out;
    }
    return std::string(text);
}

size_t indentOf(std::string_view line)
{
    size_t n = 0;
    while (n < line.size() && line[n] == ' ')
        ++n;
    return n;
}

// "[Kg6, Qa7]" into its items.
std::vector<std::string> flowList(std::string_view text)
{
    std::vector<std::string> items;
    text = trim(text);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return items;
    text = text.substr(1, text.size() - 2);
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string item = unquote(text.substr(0, comma));
        if (!item.empty())
            items.push_back(item);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

// Splits "key: value" (the colon may end the line); false when the line has no key.
bool keyValue(std::string_view line, std::string_view& key, std::string_view& value)
{
    line = trim(line);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    if (colon + 1 < line.size() && line[colon + 1] != ' ')
        return false;
    key = line.substr(0, colon);
    for (char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            return false;
    value = trim(line.substr(colon + 1));
    return true;
}

void finishRecord(std::vector<ProblemRecord>& records, ProblemRecord& record, bool& started)
{
    if (started) {
        record.order = static_cast<int>(records.size());
        records.push_back(std::move(record));
    }
    record = ProblemRecord{};
    started = false;
}

std::string collapseSpaces(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const bool blank =
            std::isspace(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) < 32;
        if (blank) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    return std::string(trim(out));
}

} // namespace

std::vector<ProblemRecord> ParseCollection(std::string_view text)
{
    std::vector<ProblemRecord> records;
    ProblemRecord record;
    bool started = false;
    std::string topKey, subKey;
    bool blockScalar = false; // the top key's value is a "|" or ">" block
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (trim(line) == "---" && indentOf(line) == 0) {
            finishRecord(records, record, started);
            topKey.clear();
            continue;
        }
        if (trim(line).empty())
            continue;
        std::string_view key, value;
        if (indentOf(line) == 0) {
            blockScalar = false;
            subKey.clear();
            if (!keyValue(line, key, value)) {
                topKey.clear();
                continue;
            }
            started = true;
            topKey = std::string(key);
            if (value == "|" || value == ">" || value == "|-" || value == ">-") {
                blockScalar = true;
                continue;
            }
            if (topKey == "source")
                record.source = unquote(value);
            else if (topKey == "date")
                record.date = unquote(value);
            else if (topKey == "stipulation")
                record.stipulation = unquote(value);
            else if (topKey == "twins")
                record.twins = true;
            else if (topKey == "options")
                record.options = true;
            else if (topKey == "authors" && !value.empty())
                record.authors.push_back(unquote(value));
            continue;
        }
        // An indented line belongs to the last top key.
        if (blockScalar) {
            if (topKey == "source")
                record.source += (record.source.empty() ? "" : " ") + std::string(trim(line));
            continue;
        }
        const std::string_view item = trim(line);
        if (topKey == "authors" && item.substr(0, 2) == "- ") {
            record.authors.push_back(unquote(item.substr(2)));
        } else if (topKey == "algebraic") {
            if (item.substr(0, 1) == "-") {
                std::vector<std::string>* side = subKey == "white"   ? &record.white
                                                 : subKey == "black" ? &record.black
                                                                     : nullptr;
                if (side)
                    side->push_back(unquote(item.substr(1)));
                else
                    record.options = true; // pieces of a kind the program does not know
            } else if (keyValue(item, key, value)) {
                subKey = std::string(key);
                if (subKey == "white")
                    record.white = flowList(value);
                else if (subKey == "black")
                    record.black = flowList(value);
                else
                    record.options = true; // neutral or fairy pieces
            }
        } else if (topKey == "stipulation" && record.stipulation.empty()) {
            record.stipulation = unquote(item);
        }
    }
    finishRecord(records, record, started);
    return records;
}

Stipulation ReadStipulation(std::string_view text)
{
    text = trim(text);
    if (text == "+")
        return {Stipulation::Win, 0};
    if (text == "=")
        return {Stipulation::Draw, 0};
    if (text.size() >= 2 && text.size() <= 3 && text[0] == '#') {
        int moves = 0;
        for (char c : text.substr(1)) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return {};
            moves = moves * 10 + (c - '0');
        }
        if (moves > 0)
            return {Stipulation::Mate, moves};
    }
    return {};
}

std::optional<std::string> RecordFen(const ProblemRecord& record)
{
    std::array<char, 64> board{}; // index row * 8 + file, row 0 = rank 8
    for (int side = 0; side < 2; ++side) {
        for (const std::string& token : side == 0 ? record.white : record.black) {
            if (token.size() != 3)
                return std::nullopt;
            static constexpr std::string_view Letters = "KQRBSPN";
            static constexpr std::string_view Fen = "kqrbnpn";
            const size_t kind = Letters.find(token[0]);
            if (kind == std::string_view::npos || !IsFileLetter(token[1]) || !IsRankDigit(token[2]))
                return std::nullopt;
            const int index = ('8' - token[2]) * 8 + (token[1] - 'a');
            if (board[index])
                return std::nullopt;
            const char letter = Fen[kind];
            board[index] = side == 0 ? static_cast<char>(std::toupper(letter)) : letter;
        }
    }
    std::string fen;
    for (int row = 0; row < 8; ++row) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const char piece = board[row * 8 + file];
            if (!piece) {
                ++empty;
                continue;
            }
            if (empty)
                fen += static_cast<char>('0' + empty);
            empty = 0;
            fen += piece;
        }
        if (empty)
            fen += static_cast<char>('0' + empty);
        if (row < 7)
            fen += '/';
    }
    const auto at = [&](char file, char rank) { return board[('8' - rank) * 8 + (file - 'a')]; };
    std::string castling;
    if (at('e', '1') == 'K') {
        if (at('h', '1') == 'R')
            castling += 'K';
        if (at('a', '1') == 'R')
            castling += 'Q';
    }
    if (at('e', '8') == 'k') {
        if (at('h', '8') == 'r')
            castling += 'k';
        if (at('a', '8') == 'r')
            castling += 'q';
    }
    return fen + " w " + (castling.empty() ? "-" : castling) + " - 0 1";
}

std::string PositionProblem(const RulesBoard& board)
{
    int kings[2] = {0, 0};
    for (int square = 0; square < 128; ++square) {
        const int piece = board.squares[square];
        if (!piece || !OnBoard(square))
            continue;
        if (TypeOf(piece) == King)
            ++kings[piece & 16 ? 1 : 0];
        if (TypeOf(piece) == Pawn && (RowOf(square) == 0 || RowOf(square) == 7))
            return "a pawn on the first or last rank";
    }
    if (kings[0] != 1 || kings[1] != 1)
        return "not exactly one king a side";
    if (KessrinKingAttacked(board, 1 - board.side))
        return "the side not to move is in check";
    MoveCode moves[1024];
    if (KessrinGenMoves(board, moves) == 0)
        return "the side to move has no move";
    return {};
}

// ---------------------------------------------------------------------------------------------
// Names

namespace {

// Decodes one UTF-8 character at text[i], advancing i; invalid bytes come back as themselves.
char32_t nextCodePoint(std::string_view text, size_t& i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(i);
    int length = first < 0x80 ? 1 : (first >> 5) == 6 ? 2 : (first >> 4) == 14 ? 3 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return first;
    }
    char32_t cp = length == 1 ? first : length == 2 ? first & 0x1F : first & 0x0F;
    for (int k = 1; k < length; ++k)
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    i += length;
    return cp;
}

// Lower-case Cyrillic а..я (U+0430..U+044F) in Latin letters.
constexpr const char* Russian[32] = {"a",  "b",  "v",  "g",    "d", "e", "zh", "z", "i",  "y", "k",
                                     "l",  "m",  "n",  "o",    "p", "r", "s",  "t", "u",  "f", "kh",
                                     "ts", "ch", "sh", "shch", "",  "y", "",   "e", "yu", "ya"};

// Other Cyrillic letters used by the collections' Serbian and Ukrainian names.
const char* otherCyrillic(char32_t lower)
{
    switch (lower) {
    case 0x0451:
        return "yo";
    case 0x0452:
        return "dj";
    case 0x0454:
        return "ye";
    case 0x0456:
        return "i";
    case 0x0457:
        return "yi";
    case 0x0458:
        return "j";
    case 0x0459:
        return "lj";
    case 0x045A:
        return "nj";
    case 0x045B:
        return "c";
    case 0x045F:
        return "dz";
    case 0x0491:
        return "g";
    default:
        return nullptr;
    }
}

// Spellings by which the best-known Cyrillic-named composers are known in Latin letters.
constexpr std::pair<const char*, const char*> KnownSpellings[] = {
    {"Троицкий", "Troitzky"},  {"Куббель", "Kubbel"},      {"Алехин", "Alekhine"},
    {"Вукчевић", "Vukcevich"}, {"Айзенштат", "Aizenstat"}, {"Гугель", "Gugel"},
};

// Best-known first, by surname as it is spelled after transliteration.
constexpr const char* FamousComposers[] = {
    "Loyd",   "Réti",  "Lasker", "Alekhine",  "Capablanca", "Troitzky", "Kubbel", "Horwitz",
    "Chéron", "Kling", "Dawson", "Mansfield", "Baird",      "Bron",     "Benkő",  "Vukcevich",
};

std::string initials(std::string_view givenNames)
{
    std::string out;
    size_t i = 0;
    bool wordStart = true;
    while (i < givenNames.size()) {
        const size_t at = i;
        const char32_t cp = nextCodePoint(givenNames, i);
        if (cp == ' ' || cp == '-') {
            wordStart = true;
            continue;
        }
        if (wordStart) {
            const std::string letter = Transliterate(givenNames.substr(at, i - at));
            if (!letter.empty()) {
                size_t j = 0;
                nextCodePoint(letter, j); // one letter, even where Cyrillic gives two
                out += (out.empty() ? "" : " ") + letter.substr(0, j) + ".";
            }
        }
        wordStart = false;
    }
    return out;
}

std::string surnameOf(std::string_view author)
{
    const std::string_view surname = trim(author.substr(0, author.find(',')));
    for (const auto& [cyrillic, latin] : KnownSpellings)
        if (surname == cyrillic)
            return latin;
    return Transliterate(surname);
}

std::string displayName(std::string_view author)
{
    const size_t comma = author.find(',');
    const std::string surname = surnameOf(author);
    if (comma == std::string_view::npos)
        return surname;
    const std::string given = initials(trim(author.substr(comma + 1)));
    return given.empty() ? surname : given + " " + surname;
}

} // namespace

std::string Transliterate(std::string_view utf8)
{
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t at = i;
        const char32_t cp = nextCodePoint(utf8, i);
        const bool upper =
            (cp >= 0x0410 && cp <= 0x042F) || (cp >= 0x0400 && cp <= 0x040F) || cp == 0x0490;
        const char32_t lower = cp >= 0x0410 && cp <= 0x042F   ? cp + 0x20
                               : cp >= 0x0400 && cp <= 0x040F ? cp + 0x50
                               : cp == 0x0490                 ? 0x0491
                                                              : cp;
        const char* latin =
            lower >= 0x0430 && lower <= 0x044F ? Russian[lower - 0x0430] : otherCyrillic(lower);
        if (!latin) {
            out.append(utf8.substr(at, i - at));
            continue;
        }
        std::string letters = latin;
        if (upper && !letters.empty())
            letters[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(letters[0])));
        out += letters;
    }
    return out;
}

int ComposerRank(const ProblemRecord& record)
{
    constexpr int count = static_cast<int>(std::size(FamousComposers));
    int best = count;
    for (const std::string& author : record.authors) {
        const std::string surname = surnameOf(author);
        for (int rank = 0; rank < count; ++rank)
            if (surname.rfind(FamousComposers[rank], 0) == 0)
                best = std::min(best, rank);
    }
    return best;
}

std::string RecordTitle(const ProblemRecord& record)
{
    std::string names;
    for (const std::string& author : record.authors) {
        const std::string name = collapseSpaces(displayName(author));
        if (!name.empty())
            names += (names.empty() ? "" : " & ") + name;
    }
    std::string source = collapseSpaces(Transliterate(record.source));
    if (source.size() > 120) {
        size_t cut = 117;
        while (cut > 0 && (static_cast<unsigned char>(source[cut]) & 0xC0) == 0x80)
            --cut; // never inside a character
        source = source.substr(0, cut) + "...";
    }
    std::string year;
    if (record.date.size() >= 4 &&
        std::all_of(record.date.begin(), record.date.begin() + 4,
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        year = record.date.substr(0, 4);

    std::string title = names;
    if (!source.empty())
        title += (title.empty() ? "" : " - ") + source;
    if (!year.empty())
        title += (title.empty() ? "" : ", ") + year;
    return title.empty() ? "Untitled" : title;
}

// ---------------------------------------------------------------------------------------------
// The mate solver: a plain proof search over the rules library's own moves, with a table of
// positions already decided and the last refutation tried first.

namespace {

class MateSolver {
public:
    MateSolver(RulesBoard& board, std::int64_t budget) : b(board), budget(budget) {}

    bool attack(int n);
    bool exhausted() const { return outOfBudget; }

private:
    bool defend(int n);
    std::uint64_t key() const;
    // A move tried: false once the budget is spent.
    bool spend()
    {
        if (++used > budget)
            outOfBudget = true;
        return !outOfBudget;
    }

    struct Known {
        int provenWithin = 99; // a mate in this many moves is proved
        int refutedUpTo = 0;   // no mate in up to this many moves
    };

    RulesBoard& b;
    std::int64_t budget;
    std::int64_t used = 0;
    bool outOfBudget = false;
    std::unordered_map<std::uint64_t, Known> table;
    std::array<MoveCode, 16> attackKiller{};
    std::array<MoveCode, 16> defenceKiller{};
};

std::uint64_t MateSolver::key() const
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(b.side);
    for (int word = 0; word < 16; ++word) {
        std::uint64_t chunk;
        std::memcpy(&chunk, b.squares + word * 8, 8);
        h = (h ^ chunk) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    const std::uint64_t rights =
        (static_cast<std::uint32_t>(b.history[b.historyCount - 1]) >> 16) & 0xFF;
    return (h ^ rights) * 0xBF58476D1CE4E5B9ull;
}

// Puts killer (when among them) first.
void killerFirst(MoveCode* moves, int count, MoveCode killer)
{
    for (int i = 1; i < count; ++i)
        if (moves[i] == killer) {
            std::swap(moves[0], moves[i]);
            return;
        }
}

bool MateSolver::attack(int n)
{
    const std::uint64_t here = key();
    if (const auto found = table.find(here); found != table.end()) {
        if (found->second.provenWithin <= n)
            return true;
        if (found->second.refutedUpTo >= n)
            return false;
    }
    MoveCode moves[1024];
    const int count = KessrinGenMoves(b, moves);
    killerFirst(moves, count, attackKiller[n]);
    for (int i = 0; i < count; ++i) {
        if (!spend())
            return false;
        int flags = 0;
        if (!KessrinTryMove(b, flags, moves[i]))
            continue;
        const bool mate = (flags & MoveFlag::Check) && (flags & MoveFlag::NoReply);
        const bool wins = mate || (n > 1 && !(flags & MoveFlag::NoReply) && defend(n - 1));
        KessrinUndoMove(b);
        if (outOfBudget)
            return false;
        if (wins) {
            attackKiller[n] = moves[i];
            Known& known = table[here];
            known.provenWithin = std::min(known.provenWithin, n);
            return true;
        }
    }
    Known& known = table[here];
    known.refutedUpTo = std::max(known.refutedUpTo, n);
    return false;
}

bool MateSolver::defend(int n)
{
    MoveCode moves[1024];
    const int count = KessrinGenMoves(b, moves);
    killerFirst(moves, count, defenceKiller[n]);
    for (int i = 0; i < count; ++i) {
        if (!spend())
            return false;
        int flags = 0;
        if (!KessrinTryMove(b, flags, moves[i]))
            continue;
        // A defence that mates or stalemates White refutes at once.
        const bool holds = (flags & MoveFlag::NoReply) || !attack(n);
        KessrinUndoMove(b);
        if (outOfBudget)
            return false;
        if (holds) {
            defenceKiller[n] = moves[i];
            return false;
        }
    }
    return true;
}

} // namespace

bool ProveMate(RulesBoard& board, int moves, std::int64_t nodeBudget)
{
    if (board.side != White || moves < 1 || moves > 15)
        return false;
    MateSolver solver(board, nodeBudget);
    // Shorter mates first: they are cheaper to find and fill the table for the longer ones.
    for (int n = 1; n <= moves; ++n) {
        if (solver.attack(n))
            return true;
        if (solver.exhausted())
            return false;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

std::optional<Series> SeriesByName(std::string_view name)
{
    if (name == "1")
        return Series{"1", {Stipulation::Win, 0}};
    if (name == "0")
        return Series{"0", {Stipulation::Draw, 0}};
    if (name.size() == 1 && name[0] >= '2' && name[0] <= '5')
        return Series{std::string(name), {Stipulation::Mate, name[0] - '0'}};
    return std::nullopt;
}

std::vector<std::string> SeriesLines(const std::vector<ProblemRecord>& records,
                                     const Series& series, int limit, std::int64_t nodeBudget)
{
    std::vector<const ProblemRecord*> chosen;
    for (const ProblemRecord& record : records) {
        const Stipulation asked = ReadStipulation(record.stipulation);
        if (record.twins || record.options || asked.kind != series.wanted.kind ||
            asked.moves != series.wanted.moves)
            continue;
        chosen.push_back(&record);
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](const auto* a, const auto* b) {
        return ComposerRank(*a) < ComposerRank(*b);
    });

    std::vector<std::string> lines;
    auto board = std::make_unique<RulesBoard>();
    for (const ProblemRecord* record : chosen) {
        if (static_cast<int>(lines.size()) >= limit)
            break;
        const std::optional<std::string> fen = RecordFen(*record);
        if (!fen)
            continue;
        *board = RulesBoard{};
        KessrinFen2Board(*board, *fen);
        if (!PositionProblem(*board).empty())
            continue;
        const std::string played = KessrinBoard2Fen(*board) + " 0 1";
        if (series.wanted.kind == Stipulation::Mate &&
            !ProveMate(*board, series.wanted.moves, nodeBudget))
            continue;
        lines.push_back(played + "; " + RecordTitle(*record));
    }
    return lines;
}

} // namespace puzzles
