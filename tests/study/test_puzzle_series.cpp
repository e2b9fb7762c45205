// The converter of the problem collections, and the series files the build made with it.
#include "support/game_fixture.h"

#include "kessrin.h"
#include "puzzle_convert.h"
#include "shell/appstate.h"
#include "study/puzzles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <memory>
#include <tuple>

namespace {

using namespace puzzles;

// One record of each kind the collections hold.
constexpr const char* Collection = R"(---
authors: 
  - Loyd, Samuel
source: New York Commercial Advertiser
date: 1897
algebraic: 
  white: [Kg6, Qa7, Rg4, Rd8, Bh8, Sf4, Sd4, Pf2, Pc2]
  black: [Ke4, Sf6, Sd5, Pf3, Pc3]
stipulation: "#2"
solution: |
  "1.Qh7! zz
  stipulation: "#5""
---
authors: 
  - Троицкий, Алексей Алексеевич
source: |
  Шахматы в
  СССР
date: 1913-05
algebraic: 
  white: 
    - Ke1
    - Ra1
    - Rh1
  black: 
    - Ke8
    - Pa7
stipulation: +
---
authors: 
  - Baird, Edith Elina Helen
source: 
algebraic: 
  white: [Kb6, Qc5]
  black: [Ka8]
stipulation: "="
---
authors: 
  - Dawson, Thomas Rayner
algebraic: 
  white: [Ka1, Qb2]
  black: [Kh8]
stipulation: "h#2"
---
authors: 
  - Mansfield, Comins
algebraic: 
  white: [Ka1, Qb2]
  black: [Kh8]
stipulation: "#2"
twins: 
  b: Move b2 b3
---
authors: 
  - Kubbel, Leonid
algebraic: 
  white: [Ka1, Gb2]
  black: [Kh8]
stipulation: "#2"
---
authors: 
  - Reti, Richard
algebraic: 
  white: [Ka1, Rb1, Rc1]
  black: [Kh8]
stipulation: "#2"
options: 
  - Duplex
---
authors: 
  - Lasker, Emanuel
algebraic: 
  white: [Ka1, Rh1]
  black: [Kh8, Pa1]
stipulation: "+"
---
authors: 
  - Unknown, Some
algebraic: 
  white: [Kf6, Rg1]
  black: [Kh8]
stipulation: "#2"
)";

TEST(PuzzleConverter, RecordsOfEveryKindBecomeTheirSeriesOrAreLeftOut)
{
    KessrinInit();
    const std::vector<ProblemRecord> records = ParseCollection(Collection);
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[0].white.size(), 9u);
    EXPECT_EQ(records[0].stipulation, "#2"); // the solution's text is no key
    EXPECT_EQ(records[1].white, (std::vector<std::string>{"Ke1", "Ra1", "Rh1"}));
    EXPECT_TRUE(records[4].twins);
    EXPECT_TRUE(records[6].options);

    const struct {
        const char* series;
        std::vector<std::string> lines;
    } rows[] = {
        // Mates: the twin, the fairy piece, the duplex and the helpmate are left out; the
        // unknown composer comes after Loyd.
        {"2",
         {"3R3B/Q7/5nK1/3n4/3NkNR1/2p2p2/2P2P2/8 w - - 0 1; S. Loyd - New York Commercial "
          "Advertiser, 1897",
          "7k/8/5K2/8/8/8/8/6R1 w - - 0 1; S. Unknown"}},
        // Castling where king and rooks stand at home; the Cyrillic name and source in Latin
        // letters; the pawn on the first rank is refused.
        {"1", {"4k3/p7/8/8/8/8/8/R3K2R w KQ - 0 1; A. A. Troitzky - Shakhmaty v SSSR, 1913"}},
        {"0", {"k7/8/1K6/2Q5/8/8/8/8 w - - 0 1; E. E. H. Baird"}},
        {"3", {}},
    };
    for (const auto& row : rows) {
        const std::optional<Series> series = SeriesByName(row.series);
        ASSERT_TRUE(series);
        EXPECT_EQ(SeriesLines(records, *series, 1024, 1'000'000), row.lines) << row.series;
    }
    // The limit keeps the best-known composers.
    EXPECT_EQ(SeriesLines(records, *SeriesByName("2"), 1, 1'000'000).size(), 1u);
    EXPECT_FALSE(SeriesByName("6"));
}

TEST(PuzzleConverter, TheSolverProvesMatesAndNothingElse)
{
    KessrinInit();
    const struct {
        const char* fen;
        int moves;
        bool mate;
    } rows[] = {
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", 1, true},
        {"7k/8/5K2/8/8/8/8/6R1 w - - 0 1", 2, true},
        {"7k/8/5K2/8/8/8/8/6R1 w - - 0 1", 1, false},
        // The king and queen mate in at most 3 here, not in 2.
        {"k7/8/2K5/8/8/8/8/7Q w - - 0 1", 2, true},
        {"7k/8/8/8/8/8/8/K6R w - - 0 1", 2, false},
        // Stalemate is no mate: Qb6 would stalemate, and a bare king never mates.
        {"k7/8/1K6/8/8/8/8/8 w - - 0 1", 3, false},
    };
    auto board = std::make_unique<RulesBoard>();
    for (const auto& row : rows) {
        *board = RulesBoard{};
        KessrinFen2Board(*board, row.fen);
        EXPECT_EQ(ProveMate(*board, row.moves, 5'000'000), row.mate) << row.fen;
        EXPECT_EQ(KessrinBoard2Fen(*board) + " 0 1", row.fen) << "the board is given back";
    }
    // A budget too small for the proof proves nothing.
    *board = RulesBoard{};
    KessrinFen2Board(*board, "3R3B/Q7/5nK1/3n4/3NkNR1/2p2p2/2P2P2/8 w - - 0 1");
    EXPECT_FALSE(ProveMate(*board, 2, 50));
    EXPECT_TRUE(ProveMate(*board, 2, 5'000'000));
}

// --- The series the build made -----------------------------------------------------------

QStringList seriesLines(const char* name)
{
    QFile file(PuzzleFilePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class PuzzleSeriesFiles : public GameTest {};

TEST_F(PuzzleSeriesFiles, EveryLineOfTheSixSeriesReadsAsAPlayablePuzzle)
{
    for (const PuzzleSeries& series : PuzzleSeriesTable) {
        const QStringList lines = seriesLines(series.name);
        EXPECT_GT(lines.size(), 50) << series.name;
        EXPECT_LE(lines.size(), MaxPuzzles) << series.name;
        const auto read = ReadPuzzleFile(PuzzleFilePath(QString::fromLatin1(series.name)));
        ASSERT_TRUE(read) << series.name;
        EXPECT_EQ(static_cast<qsizetype>(read->size()), lines.size()) << series.name;
        for (const PuzzleLine& puzzle : *read) {
            EXPECT_TRUE(puzzle.fen.contains(QStringLiteral(" w "))) << puzzle.fen.toStdString();
            EXPECT_FALSE(puzzle.title.isEmpty());
        }
    }
}

// Stockfish in the program folder finds each sampled mate within the stated moves.
class MateCheck {
public:
    bool start(const QString& program)
    {
        engine.start(program, {});
        if (!engine.waitForStarted(5000))
            return false;
        send("uci");
        return waitFor("uciok", 10000);
    }
    ~MateCheck()
    {
        if (engine.state() != QProcess::NotRunning) {
            send("quit");
            if (!engine.waitForFinished(3000))
                engine.kill();
            engine.waitForFinished(1000);
        }
    }
    // The shortest mate the engine reports for the side to move, or 0 for none.
    int mateIn(const QString& fen, int moves)
    {
        send("position fen " + fen.toStdString());
        send("go mate " + std::to_string(moves));
        int mate = 0;
        const bool done = waitFor("bestmove", 60000, [&](const QByteArray& line) {
            const QList<QByteArray> words = line.split(' ');
            const qsizetype at = words.indexOf("mate");
            if (at > 0 && words[at - 1] == "score" && at + 1 < words.size())
                mate = words[at + 1].toInt();
        });
        if (!done) {
            send("stop");
            waitFor("bestmove", 5000);
        }
        return mate;
    }

private:
    void send(const std::string& line) { engine.write((line + "\n").c_str()); }
    template <typename F = void (*)(const QByteArray&)>
    bool waitFor(
        const char* head, int ms, F each = [](const QByteArray&) {})
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            while (engine.canReadLine()) {
                const QByteArray line = engine.readLine().trimmed();
                each(line);
                if (line.startsWith(head))
                    return true;
            }
            engine.waitForReadyRead(100);
        }
        return false;
    }
    QProcess engine;
};

TEST_F(PuzzleSeriesFiles, StockfishFindsTheMatesOfASample)
{
    const QString stockfish = App.ProgramFolder + QStringLiteral("stockfish");
    if (!QFileInfo(stockfish).isExecutable())
        GTEST_SKIP() << "no stockfish in the program folder";
    MateCheck engine;
    ASSERT_TRUE(engine.start(stockfish));
    // A hundred mates in two and a few in three; the longer mates can take the engine a minute
    // each, so bench/check_puzzles.sh samples a hundred of every series instead.
    for (const auto& [name, moves, sample] : {std::tuple{"2", 2, 100}, std::tuple{"3", 3, 5}}) {
        const auto read = ReadPuzzleFile(PuzzleFilePath(QString::fromLatin1(name)));
        ASSERT_TRUE(read && !read->empty()) << name;
        const std::size_t step = std::max<std::size_t>(1, read->size() / sample);
        for (std::size_t i = 0; i < read->size(); i += step) {
            const int mate = engine.mateIn((*read)[i].fen, moves);
            EXPECT_TRUE(mate > 0 && mate <= moves)
                << name << ".EPD line " << i + 1 << ": " << (*read)[i].fen.toStdString() << " mate "
                << mate;
        }
    }
}

} // namespace
