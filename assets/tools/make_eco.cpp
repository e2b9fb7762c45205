// Converts the scid.eco opening list into the program's ECO.TXT opening table, or with --lines
// into one PGN game per named line, from which the default opening book is made.
// Usage: make_eco <scid.eco> <ECO.TXT>
//        make_eco --lines <scid.eco> <games.pgn>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "eco.h"
#include "kessrin.h"

namespace {

constexpr const char* StandardStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

struct SourceEntry {
    std::string code; // as written, e.g. "B90a"
    std::string name; // e.g. "Sicilian: Najdorf, 6.a4"
    std::vector<std::string> moves;
    int line = 0;
};

struct TableEntry {
    std::string key;
    std::string text;
    int plies = 0;
};

// Tokens of the file outside comment lines; a quoted name is one token including its quotes.
std::vector<std::pair<std::string, int>> tokenize(std::istream& in)
{
    std::vector<std::pair<std::string, int>> tokens;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line[0] == '#')
            continue;
        size_t i = 0;
        while (i < line.size()) {
            if (std::isspace(static_cast<unsigned char>(line[i]))) {
                ++i;
                continue;
            }
            size_t end;
            if (line[i] == '"') {
                end = line.find('"', i + 1);
                end = end == std::string::npos ? line.size() : end + 1;
            } else {
                end = i;
                while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])))
                    ++end;
            }
            tokens.emplace_back(line.substr(i, end - i), lineNumber);
            i = end;
        }
    }
    return tokens;
}

// Entries are: code, quoted name, moves with move numbers, "*".
std::vector<SourceEntry> parseEntries(const std::vector<std::pair<std::string, int>>& tokens)
{
    std::vector<SourceEntry> entries;
    size_t i = 0;
    while (i < tokens.size()) {
        SourceEntry entry;
        entry.code = tokens[i].first;
        entry.line = tokens[i].second;
        ++i;
        if (i < tokens.size() && tokens[i].first.size() >= 2 && tokens[i].first.front() == '"' &&
            tokens[i].first.back() == '"') {
            entry.name = tokens[i].first.substr(1, tokens[i].first.size() - 2);
            ++i;
        }
        while (i < tokens.size() && tokens[i].first != "*") {
            std::string move = tokens[i].first;
            const size_t dot = move.find_last_of('.');
            if (dot != std::string::npos)
                move.erase(0, dot + 1);
            if (!move.empty())
                entry.moves.push_back(move);
            ++i;
        }
        ++i; // the "*"
        entries.push_back(std::move(entry));
    }
    return entries;
}

// "B90a" -> "B90"; empty when the code does not start with A00..E99.
std::string ecoCode(const std::string& code)
{
    if (code.size() < 3 || code[0] < 'A' || code[0] > 'E' ||
        !std::isdigit(static_cast<unsigned char>(code[1])) ||
        !std::isdigit(static_cast<unsigned char>(code[2])))
        return {};
    return code.substr(0, 3);
}

// Splits at the first ": " (opening | rest), the rest at its first ", " (variation | sub).
std::string entryText(const std::string& eco, const std::string& name)
{
    std::string opening = name;
    std::string variation;
    std::string subVariation;
    if (const size_t colon = name.find(": "); colon != std::string::npos) {
        opening = name.substr(0, colon);
        variation = name.substr(colon + 2);
        if (const size_t comma = variation.find(", "); comma != std::string::npos) {
            subVariation = variation.substr(comma + 2);
            variation.resize(comma);
        }
    }
    std::string text = eco + "|" + opening + "|" + variation + "|" + subVariation;
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

constexpr const char* Header =
    "# ECO.TXT - opening table of Chess Quorvin, generated at build time from scid.eco.\n"
    "# UTF-8 text. Lines starting with '#' and empty lines are ignored.\n"
    "# One entry per line: KEY <TAB> ECO|opening|variation|sub-variation\n"
    "#   KEY   the first four FEN fields of the position (placement, side to move, castling\n"
    "#         rights, en-passant square); the en-passant square is written only when an\n"
    "#         en-passant capture is legal, otherwise '-'.\n"
    "#   ECO   three characters, A00..E99; the other three fields may be empty.\n"
    "# Keys are unique. When several source lines reach the same position, the line with the\n"
    "# fewest moves names it, and among equally short lines the first one in the source.\n";

// Appends the move that makes `played` moves from the start (White's are the odd ones) to PGN
// movetext, with its number before White's moves and its check or mate sign.
void appendMove(std::string& text, int played, const std::string& san, int flags)
{
    if (played % 2 == 1)
        text += std::to_string(played / 2 + 1) + ". ";
    text += san;
    if (flags & MoveFlag::Check)
        text += (flags & MoveFlag::NoReply) ? "#" : "+";
    text += ' ';
}

// A named line as a drawn game: every line then counts once for the moves it goes through.
void writeGame(std::ostream& out, const std::string& eco, const std::string& name,
               const std::string& moveText)
{
    std::string event = name;
    for (char& c : event)
        if (c == '"' || c == '\\')
            c = '\'';
    out << "[Event \"" << event << "\"]\n[ECO \"" << eco << "\"]\n[Result \"1/2-1/2\"]\n\n"
        << moveText << "1/2-1/2\n\n";
}

} // namespace

int main(int argc, char** argv)
{
    const bool lines = argc == 4 && std::string(argv[1]) == "--lines";
    if (argc != 3 && !lines) {
        std::cerr << "usage: make_eco <scid.eco> <ECO.TXT>\n"
                     "       make_eco --lines <scid.eco> <games.pgn>\n";
        return 2;
    }
    const char* sourcePath = argv[lines ? 2 : 1];
    const char* outputPath = argv[lines ? 3 : 2];
    std::ifstream in(sourcePath);
    if (!in) {
        std::cerr << "make_eco: cannot read " << sourcePath << "\n";
        return 1;
    }
    KessrinInit();
    const std::vector<SourceEntry> entries = parseEntries(tokenize(in));

    std::ostringstream games;
    int gameCount = 0;
    std::vector<TableEntry> table;
    std::unordered_map<std::string, size_t> indexOfKey;
    int skipped = 0;
    for (const SourceEntry& entry : entries) {
        const std::string eco = ecoCode(entry.code);
        if (eco.empty()) {
            std::cerr << "make_eco: warning: line " << entry.line << ": bad code '" << entry.code
                      << "', skipped\n";
            ++skipped;
            continue;
        }
        RulesBoard board;
        KessrinFen2Board(board, StandardStartFen);
        bool legal = entry.moves.size() <= 63;
        std::string moveText;
        for (const std::string& san : entry.moves) {
            int flags = 0;
            const MoveCode move = KessrinAlg2Move(board, san);
            const std::string written = move == 0 ? std::string() : KessrinMove2Alg(board, move);
            if (move == 0 || KessrinTryMove(board, flags, move) == 0) {
                std::cerr << "make_eco: warning: line " << entry.line << ": illegal move '" << san
                          << "' in " << entry.code << " \"" << entry.name << "\", skipped\n";
                legal = false;
                break;
            }
            appendMove(moveText, board.historyCount - 1, written, flags);
        }
        if (!legal) {
            ++skipped;
            continue;
        }
        if (lines && !moveText.empty()) {
            writeGame(games, eco, entry.name, moveText);
            ++gameCount;
        }
        TableEntry row{EcoPositionKey(board), entryText(eco, entry.name),
                       static_cast<int>(entry.moves.size())};
        const auto [it, inserted] = indexOfKey.try_emplace(row.key, table.size());
        if (inserted)
            table.push_back(std::move(row));
        else if (row.plies < table[it->second].plies)
            table[it->second] = std::move(row);
    }

    std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
    if (lines) {
        out << games.str();
        out.close();
        if (!out) {
            std::cerr << "make_eco: cannot write " << outputPath << "\n";
            return 1;
        }
        std::cout << "make_eco: " << gameCount << " games from " << entries.size() << " lines, "
                  << skipped << " skipped\n";
        return 0;
    }
    out << Header;
    for (const TableEntry& row : table)
        out << row.key << '\t' << row.text << '\n';
    out.close();
    if (!out) {
        std::cerr << "make_eco: cannot write " << outputPath << "\n";
        return 1;
    }
    std::cout << "make_eco: " << table.size() << " positions from " << entries.size() << " lines, "
              << skipped << " skipped\n";
    return 0;
}
