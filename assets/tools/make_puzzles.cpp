// Writes one puzzle series, "FEN; title" a line, from problem collections (.olv files).
// Usage: make_puzzles <series 2..5, 1 or 0> <output.EPD> <collection.olv>...
#include "puzzle_convert.h"

#include "kessrin.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Moves the solver may try for one problem; a mate it cannot prove within them is left out.
constexpr std::int64_t NodeBudget = 3'000'000;
constexpr int MaxLines = 1024;

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: make_puzzles <series> <output.EPD> <collection.olv>...\n";
        return 2;
    }
    const std::optional<puzzles::Series> series = puzzles::SeriesByName(argv[1]);
    if (!series) {
        std::cerr << "make_puzzles: unknown series " << argv[1] << '\n';
        return 2;
    }
    KessrinInit();
    std::vector<puzzles::ProblemRecord> records;
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::cerr << "make_puzzles: cannot read " << argv[i] << '\n';
            return 1;
        }
        std::ostringstream text;
        text << in.rdbuf();
        for (puzzles::ProblemRecord& record : puzzles::ParseCollection(text.str()))
            records.push_back(std::move(record));
    }
    const std::vector<std::string> lines =
        puzzles::SeriesLines(records, *series, MaxLines, NodeBudget);
    if (lines.empty()) {
        std::cerr << "make_puzzles: no puzzle for series " << series->name << '\n';
        return 1;
    }
    const std::string temporary = std::string(argv[2]) + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        if (!out.flush()) {
            std::cerr << "make_puzzles: cannot write " << temporary << '\n';
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), argv[2]) != 0) {
        std::cerr << "make_puzzles: cannot write " << argv[2] << '\n';
        return 1;
    }
    std::cout << "ENDGAMES/" << series->name << ".EPD: " << lines.size() << " puzzles from "
              << records.size() << " records\n";
    return 0;
}
