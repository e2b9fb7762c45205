// Helpers for the book tests: positions by play, hand-made books, and Debian's polyglot.
#pragma once

#include "bookedit/book.h"

#include <QStringList>

#include <string>
#include <vector>

inline constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Plays blank-separated moves (coordinates or SAN); a move not accepted fails the test.
void playMoves(RulesBoard& board, const std::string& moves);
// The book's move field for coordinates, a fifth letter n, b, r or q naming the promotion piece.
uint16_t bookField(const std::string& coordinates);

struct BookRow {
    RulesBoard board;
    std::string field; // coordinates, as for bookField
    int weight;
};
// Writes the entries sorted by key (equal keys in the given order).
void writeBook(const std::string& path, const std::vector<BookRow>& rows);
std::vector<char> readBytes(const std::string& path);

// Runs polyglot with the arguments; its standard output, or a failed test and "" when it could
// not run or failed.
QString runPolyglot(const QStringList& arguments);
