#include "play/chess960.h"

#include "kessrin.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Chess960, KnownNumbersGiveTheirFen)
{
    const struct {
        int number;
        const char* fen;
    } rows[] = {
        {0, "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1"},
        {518, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1"},
        {959, "rkrnnqbb/pppppppp/8/8/8/8/PPPPPPPP/RKRNNQBB w CAca - 0 1"},
        // Light bishop on h, dark bishop on a: rook and king squeezed onto b..d.
        {3, "bqnnrkrb/pppppppp/8/8/8/8/PPPPPPPP/BQNNRKRB w GEge - 0 1"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Chess960Fen(row.number).toStdString(), row.fen) << row.number;
}

TEST(Chess960, EveryNumberGivesADistinctLegalArrangement)
{
    std::set<std::string> seen;
    for (int n = 0; n < Chess960Count; ++n) {
        const Chess960Row rank = Chess960BackRank(n);
        int counts[5] = {};
        int bishopColours = 0, king = -1, rooks[2] = {-1, -1}, rookCount = 0;
        for (int file = 0; file < 8; ++file) {
            const int kind = rank[static_cast<std::size_t>(file)];
            ASSERT_GE(kind, 0) << n;
            ASSERT_LE(kind, 4) << n;
            ++counts[kind];
            if (kind == 3)
                bishopColours |= 1 << (file % 2);
            if (kind == 0)
                king = file;
            if (kind == 2 && rookCount < 2)
                rooks[rookCount++] = file;
        }
        EXPECT_EQ(counts[0], 1) << n;
        EXPECT_EQ(counts[1], 1) << n;
        EXPECT_EQ(counts[2], 2) << n;
        EXPECT_EQ(counts[3], 2) << n;
        EXPECT_EQ(counts[4], 2) << n;
        EXPECT_EQ(bishopColours, 3) << n << ": bishops on one colour";
        EXPECT_TRUE(rooks[0] < king && king < rooks[1]) << n << ": king not between the rooks";

        const std::string fen = Chess960Fen(n).toStdString();
        EXPECT_TRUE(seen.insert(fen.substr(0, 8)).second) << n << " repeats " << fen;

        // The rules library reads the castling letters back as the rooks' squares.
        RulesBoard board{};
        KessrinFen2Board(board, fen);
        EXPECT_EQ(board.castlingRooks[0], 116 + rooks[1]) << fen; // White king-side
        EXPECT_EQ(board.castlingRooks[1], 116 + rooks[0]) << fen;
        EXPECT_EQ(board.castlingRooks[2], 4 + rooks[1]) << fen;
        EXPECT_EQ(board.castlingRooks[3], 4 + rooks[0]) << fen;
        // Castling differs from the standard game unless king and rooks stand on e, a and h.
        const bool standardCastling = king == 4 && rooks[0] == 0 && rooks[1] == 7;
        EXPECT_EQ(KessrinIsChess960(board), !standardCastling) << fen;
        EXPECT_EQ(n == StandardChess960Number, fen.starts_with("rnbqkbnr/")) << n;
    }
    EXPECT_EQ(seen.size(), 960u);
}

TEST(Chess960, FindEmptySquareCountsOnlyEmptyCells)
{
    Chess960Row rank;
    rank.fill(-1);
    rank[0] = 3;
    rank[3] = 1;
    rank[7] = 3;
    const struct {
        int k;
        int file;
    } rows[] = {{0, 1}, {1, 2}, {2, 4}, {3, 5}, {4, 6}, {5, -1}, {8, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(FindEmptySquare(rank, row.k), row.file) << row.k;
    rank.fill(0);
    EXPECT_EQ(FindEmptySquare(rank, 0), -1);
}

TEST(Chess960, HelpAddressCarriesNumberAndEncodedFen)
{
    EXPECT_EQ(UrlEncode(QStringLiteral("aZ09*-.@_ /+~é")),
              QStringLiteral("aZ09*-.@_+%2F%2B%7E%C3%A9"));
    EXPECT_EQ(Chess960HelpUrl(QStringLiteral("file:///opt/q/WEB"), false, 12),
              QStringLiteral("file:///opt/q/WEB/help/chess960.htm"));
    EXPECT_EQ(Chess960HelpUrl(QStringLiteral("https://example.org"), true, 0),
              QStringLiteral("https://example.org/help/chess960.htm?sp=0&fen=bbqnnrkr%2Fpppppppp"
                             "%2F8%2F8%2F8%2F8%2FPPPPPPPP%2FBBQNNRKR+w+HFhf+-+0+1"));
}

} // namespace
