// Conversion of problem collections (the YAML-like ".olv" records: composers, source, date,
// pieces, stipulation) into puzzle lines "FEN; title", with a small mate solver that proves
// every mate problem kept. No Qt: the build runs it before the program exists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct RulesBoard;

namespace puzzles {

// One record of a collection, as far as the conversion reads it.
struct ProblemRecord {
    std::vector<std::string> authors; // "Surname, Given Names" as written
    std::string source;
    std::string date;
    std::vector<std::string> white, black; // piece tokens such as "Kg6", "Sf4"
    std::string stipulation;               // without quotes: "#2", "+", "="
    bool twins = false;
    bool options = false; // Duplex, SetPlay or a fairy condition
    int order = 0;        // position in the input, for a stable order
};

// The records of one collection text; malformed records come back with what could be read.
std::vector<ProblemRecord> ParseCollection(std::string_view text);

// What a stipulation asks for: Mate (with moves), Win ("+"), Draw ("="), or Other.
struct Stipulation {
    enum Kind { Other, Mate, Win, Draw } kind = Other;
    int moves = 0;
};
Stipulation ReadStipulation(std::string_view text);

// White to move, castling where king and rook stand on their start squares, no en passant;
// nothing when a token is no orthodox piece on a square or a square is taken twice.
std::optional<std::string> RecordFen(const ProblemRecord& record);

// Why the rules library would not play the position: "" when it is playable.
std::string PositionProblem(const RulesBoard& board);

// "S. Loyd - New York Commercial Advertiser, 1897": composers in Latin letters, then the
// source and the year where known.
std::string RecordTitle(const ProblemRecord& record);
// Lower is better known; every composer not in the list shares the last rank.
int ComposerRank(const ProblemRecord& record);

// Latin transliteration of Cyrillic letters; other text is kept.
std::string Transliterate(std::string_view utf8);

// Proves that White, to move on board, mates in at most moves moves against every defence,
// trying at most nodeBudget moves in all. False when there is no such mate or the budget ran
// out before a proof was found.
bool ProveMate(RulesBoard& board, int moves, std::int64_t nodeBudget);

// The series a conversion makes: the file's series name and what its records must ask for.
struct Series {
    std::string name; // "2".."5", "1" (wins), "0" (draws)
    Stipulation wanted;
};
std::optional<Series> SeriesByName(std::string_view name);

// The lines of one series from the records of every collection: records of the wanted
// stipulation that give a playable position (and, for mates, a proved mate), best-known
// composers first, at most limit lines.
std::vector<std::string> SeriesLines(const std::vector<ProblemRecord>& records,
                                     const Series& series, int limit, std::int64_t nodeBudget);

} // namespace puzzles
