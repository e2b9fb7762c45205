#include "book_fixture.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

void playMoves(RulesBoard& board, const std::string& moves)
{
    std::istringstream in(moves);
    std::string text;
    while (in >> text) {
        int flags = 0;
        const MoveCode move = KessrinAlg2Move(board, text);
        if (move == 0 || KessrinTryMove(board, flags, move) == 0) {
            ADD_FAILURE() << "move not accepted: " << text;
            return;
        }
    }
}

uint16_t bookField(const std::string& coordinates)
{
    auto square = [&](std::size_t at) {
        return (coordinates[at + 1] - '1') * 8 + (coordinates[at] - 'a');
    };
    const std::string pieces = "nbrq";
    const std::size_t piece = coordinates.size() > 4 ? pieces.find(coordinates[4]) : pieces.npos;
    const int promotion = piece == pieces.npos ? 0 : static_cast<int>(piece) + 1;
    return static_cast<uint16_t>(square(2) | square(0) << 6 | promotion << 12);
}

void writeBook(const std::string& path, const std::vector<BookRow>& rows)
{
    std::vector<std::pair<uint64_t, const BookRow*>> sorted;
    for (const BookRow& row : rows)
        sorted.emplace_back(PolyglotKey(row.board), &row);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& [key, row] : sorted) {
        const uint64_t fields[3] = {key, bookField(row->field), static_cast<uint64_t>(row->weight)};
        const int widths[3] = {8, 2, 2};
        for (int f = 0; f < 3; ++f)
            for (int i = widths[f] - 1; i >= 0; --i)
                out.put(static_cast<char>(fields[f] >> (8 * i) & 255));
        for (int i = 0; i < 4; ++i)
            out.put(0);
    }
}

std::vector<char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString runPolyglot(const QStringList& arguments)
{
    QProcess polyglot;
    polyglot.start(QStringLiteral(QUORVIN_POLYGLOT), arguments);
    if (!polyglot.waitForFinished(60000) || polyglot.exitStatus() != QProcess::NormalExit ||
        polyglot.exitCode() != 0) {
        ADD_FAILURE() << "polyglot " << arguments.join(QLatin1Char(' ')).toStdString()
                      << " failed: " << polyglot.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(polyglot.readAllStandardOutput());
}
