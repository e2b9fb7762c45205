// The UCI text we write and the reading of "info" lines, from recorded lines.
#include <gtest/gtest.h>

#include "core/gamerecord.h"
#include "engine/uci.h"
#include "shell/settings.h"

#include <QStringList>

namespace {

int sq(const char* name)
{
    return MakeSquare(ColumnOfLetter(name[0]), RowOfDigit(name[1]));
}

MoveCode mv(const char* from, const char* to, int promo = 0)
{
    return MakeMove(sq(from), sq(to), promo);
}

RulesBoard boardOf(const char* fen)
{
    KessrinInit();
    RulesBoard board{};
    KessrinFen2Board(board, fen);
    return board;
}

const char* const CastlingFen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
const char* const Chess960Fen = "nrkbbqrn/pppppppp/8/8/8/8/PPPPPPPP/NRKBBQRN w GBgb - 0 1";
const char* const PromotionFen = "8/P6k/8/8/8/8/8/KR6 w - - 0 1";

} // namespace

TEST(MoveToUci, PromotionLetterAndCastlingAsEnginesExpect)
{
    struct Row {
        const char* fen;
        MoveCode move;
        const char* expected;
    } rows[] = {
        {StandardFen, mv("e2", "e4"), "e2e4"},
        {PromotionFen, mv("a7", "a8"), "a7a8q"},
        {PromotionFen, mv("a7", "a8", 3), "a7a8n"},
        {PromotionFen, mv("b1", "b8"), "b1b8"}, // a rook reaching the last rank
        // Outside Chess960 a king-to-rook castling becomes the king's two-square step.
        {CastlingFen, mv("e1", "h1"), "e1g1"},
        {CastlingFen, mv("e1", "a1"), "e1c1"},
        {CastlingFen, mv("e1", "g1"), "e1g1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", mv("e8", "h8"), "e8g8"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", mv("e8", "a8"), "e8c8"},
        {CastlingFen, mv("e1", "f1"), "e1f1"},
        // Chess960 engines take castling as king-to-rook.
        {Chess960Fen, mv("c1", "g1"), "c1g1"},
        {Chess960Fen, mv("c1", "b1"), "c1b1"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MoveToUci(boardOf(row.fen), row.move), QLatin1String(row.expected))
            << row.fen << " " << row.expected;
}

TEST(BuildPosition, StartposFenMovesAndReversiblePlies)
{
    KessrinInit();
    const MoveCode opening[] = {mv("e2", "e4"), mv("e7", "e5"), mv("g1", "f3"), mv("b8", "c6"),
                                mv("f1", "c4"), mv("g8", "f6"), mv("e1", "h1")};
    PositionText text = BuildPosition(true, StandardFen, opening, 7);
    EXPECT_EQ(text.text, "startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1");
    // Only pawn moves and captures restart the count (the fifty-move rule's), castling does not.
    EXPECT_EQ(text.reversiblePlies, 5);
    text = BuildPosition(true, StandardFen, opening, 4);
    EXPECT_EQ(text.reversiblePlies, 2);
    const MoveCode capture[] = {mv("e2", "e4"), mv("d7", "d5"), mv("g1", "f3"), mv("d5", "e4")};
    EXPECT_EQ(BuildPosition(true, StandardFen, capture, 4).reversiblePlies, 0);
    EXPECT_EQ(BuildPosition(true, StandardFen, capture, 3).reversiblePlies, 1);

    const QString fen = QString::fromLatin1(PromotionFen);
    EXPECT_EQ(BuildPosition(false, fen, nullptr, 0).text, "fen " + fen);
    const MoveCode promotion[] = {mv("a7", "a8", 2), mv("h7", "g6")};
    EXPECT_EQ(BuildPosition(false, fen, promotion, 2).text, "fen " + fen + " moves a7a8b h7g6");
    // A refused move ends the list instead of sending nonsense.
    const MoveCode broken[] = {mv("e2", "e4"), mv("e2", "e4"), mv("e7", "e5")};
    EXPECT_EQ(BuildPosition(true, StandardFen, broken, 3).text, "startpos moves e2e4");
}

TEST(GoLine, EveryLevelKindAndTimeControl)
{
    struct Row {
        bool analysing, ponder;
        GoLimits limits;
        const char* expected;
    } rows[] = {
        {false, false, {0, false, 300, 300, 1, 40}, "go wtime 300000 btime 300000 movestogo 40"},
        {false, false, {0, true, 300, 290, -10, 40}, "go wtime 300000 btime 290000 winc 0 binc 0"},
        {false, false, {0, true, 61, 5, 12, 1}, "go wtime 61000 btime 5000 winc 12000 binc 12000"},
        {false, false, {100, false, 0, 0, 0, 0}, "go depth 100"},
        {false, false, {8, false, 0, 0, 0, 0}, "go depth 8"},
        {false, false, {-12, false, 0, 0, 0, 0}, "go depth 24"},
        {false, false, {-1, false, 0, 0, 0, 0}, "go depth 2"},
        {false, true, {-5, false, 0, 0, 0, 0}, "go ponder depth 10"},
        {false, true, {0, false, 30, 40, 0, 7}, "go ponder wtime 30000 btime 40000 movestogo 7"},
        {true, false, {-5, false, 0, 0, 0, 0}, "go infinite"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GoLine(row.analysing, row.ponder, row.limits), QLatin1String(row.expected));
}

TEST(EngineOptions, ValuesInOrderWithClampsAndOptionalPaths)
{
    const auto joined = [](const Settings& settings, int cpus) {
        QStringList lines;
        for (const auto& [name, value] : EngineOptionValues(settings, cpus))
            lines << OptionLine(name, value);
        return lines.join(QLatin1Char('|'));
    };
    Settings settings = Settings::defaults();
    settings.BookFiles.clear();
    settings.EgtbPaths.clear();
    EXPECT_EQ(joined(settings, 2),
              "setoption name OwnBook value true|setoption name Use Tablebases value true|"
              "setoption name Hash value 16|setoption name Threads value 1|"
              "setoption name Minimum Thinking Time value 0|setoption name Randomness value 3|"
              "setoption name Aggressiveness value 100|setoption name Cowardice value 100");

    settings.UseBook = false;
    settings.BookFiles = QStringLiteral("/books/main.bin");
    settings.EgtbPaths = QStringLiteral("/tb");
    settings.Hash = 7;
    settings.Threads = 9;
    settings.Randomness = 0;
    settings.Style = 2;
    EXPECT_EQ(joined(settings, 4),
              "setoption name OwnBook value false|setoption name Book File value /books/main.bin|"
              "setoption name Use Tablebases value true|setoption name NalimovPath value /tb|"
              "setoption name Hash value 2048|setoption name Threads value 4|"
              "setoption name Minimum Thinking Time value 0|setoption name Randomness value 0|"
              "setoption name Aggressiveness value 200|setoption name Cowardice value 0");
    settings.Threads = 1;
    EXPECT_TRUE(joined(settings, 4).contains("Threads value 2|"));
}

TEST(InfoNumbers, LeadingValueClampedAndMalformedInput)
{
    struct Row {
        const char* text;
        int expected;
    } rows[] = {
        {"12 seldepth 20", 12},
        {"-5 nodes", -5},
        {"+7x", 7},
        {"  42", 42},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"1e5", 1},
        {"99999999999999999999999999", 999},
        {"-99999999999999999", -999},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LeadingNumber(QString::fromLatin1(row.text), 0, -999, 999), row.expected)
            << row.text;
    const QString line = QStringLiteral("info depth 7 seldepth 12 nodes 123456");
    EXPECT_EQ(NumberAfter(line, QLatin1StringView(" depth "), -999, 999), 7);
    EXPECT_EQ(NumberAfter(line, QLatin1StringView(" nodes "), -2147483647, 2147483647), 123456);
    EXPECT_FALSE(NumberAfter(line, QLatin1StringView(" time "), 0, 10).has_value());
}

TEST(InfoScore, MateCentipawnsAndBounds)
{
    struct Row {
        const char* line;
        std::optional<int> expected;
    } rows[] = {
        {"info depth 9 score cp 35 pv e2e4", 35},
        {"info depth 9 score cp -120 nodes 5", -120},
        {"info depth 20 score mate 3 pv e2e4", 9997},
        {"info depth 20 score mate -3 pv e2e4", -9997},
        {"info depth 9 score cp 99999999 pv e2e4", 32767},
        {"info depth 9 score wdl 500 400 100", 0},
        {"info depth 9 score cp 30 lowerbound nodes 10", std::nullopt},
        {"info depth 9 score cp 30 upperbound", std::nullopt},
        {"info depth 9 score cp 30 lowerbound", std::nullopt},
        {"info depth 9 score cp 30 nodes 5 upperboundx", 30},
        {"info depth 9 nodes 10", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ExactScore(QString::fromLatin1(row.line)), row.expected) << row.line;
}

TEST(InfoScore, DepthAndScoreColumns)
{
    struct Row {
        int depth, score;
        const char* expected;
    } rows[] = {
        {9, 35, "  9   (+35)"},    {9, -35, "  9   (-35)"},    {9, 0, "  9     (0)"},
        {12, 1, " 12    (+1)"},    {123, 9997, "123 (+9997)"}, {1000, -9997, "1000 (-9997)"},
        {5, 10000, "  5(+10000)"}, {-3, 5, " -3    (+5)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DepthScoreText(row.depth, row.score), QLatin1String(row.expected));
}

TEST(InfoVariation, SanWithChecksPromotionsAndStops)
{
    const RulesBoard start = boardOf(StandardFen);
    const RulesBoard scholar =
        boardOf("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4");
    const RulesBoard promotion = boardOf(PromotionFen);
    struct Row {
        const RulesBoard* board;
        const char* line;
        const char* expected;
    } rows[] = {
        {&start, "info depth 2 score cp 20 pv e2e4 e7e5 g1f3", " e4 e5 Nf3"},
        {&start, "info depth 2 score cp 20 pv e2e4 ", " e4"},
        {&start, "info depth 2 score cp 20 pv e2e4 e2e4 g1f3", " e4"},
        {&start, "info depth 2 score cp 20 pv zz", ""},
        {&scholar, "info depth 1 score mate 1 pv h5f7", " Qxf7#"},
        {&promotion, "info depth 3 score cp 900 pv a7a8q h7g6 b1g1", " a8=Q Kg6 Rg1+"},
        {&promotion, "info depth 3 score cp 300 pv b1b2 h7g6 a7a8n", " Rb2 Kg6 a8=N"},
    };
    for (const Row& row : rows) {
        const QString line = QString::fromLatin1(row.line);
        EXPECT_EQ(PvText(*row.board, line, line.indexOf(" pv ") + 4), QLatin1String(row.expected))
            << row.line;
    }
}

TEST(EngineText, ElapsedTimesAndLogEntries)
{
    EXPECT_EQ(ElapsedText(62500), "00:01:02.5 ->");
    EXPECT_EQ(ElapsedText(3725999), "01:02:05.9 ->");
    EXPECT_EQ(ElapsedMs(86399.5, 0.75), 1250);
    EXPECT_EQ(ElapsedMs(100.0, 100.5), 500);
    EXPECT_EQ(LogEntry(QStringLiteral("go <b> & more"), "red"),
              QByteArray("<font color=\"red\">go <b> & more</font><br>\r\n"));
}
