// The book library against Debian's polyglot: a book it makes from generated games reads back
// exactly as its own dump lists it, and a weight we rewrite is what its dump then shows.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "support/test_app.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int GameCount = 200;
constexpr int PliesPerGame = 24;
constexpr std::size_t PositionsAtLeast = 200;

// Moves of one position as the dump shows them: SAN and percentage of the position's weight.
using MoveShares = std::map<std::string, std::string>;

struct DumpedPosition {
    RulesBoard board;
    MoveShares moves;
};

std::string share(int32_t weight, int64_t total)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.0f", total > 0 ? weight * 100.0 / total : 0.0);
    return text;
}

std::string sanOf(const RulesBoard& board, MoveCode move)
{
    return KessrinMove2Alg(board, move);
}

// Games that share their openings and castle whenever they can, so the book has branching
// positions and castling entries. Results vary, which gives the moves their weights.
QString generatedGames()
{
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    const char* results[3] = {"1-0", "0-1", "1/2-1/2"};
    QString pgn;
    for (int game = 0; game < GameCount; ++game) {
        RulesBoard board;
        KessrinFen2Board(board, StartFen);
        const char* result = results[next(3)];
        QString moveText;
        for (int ply = 0; ply < PliesPerGame; ++ply) {
            MoveCode legal[1024];
            const int count = KessrinGenMoves(board, legal);
            if (count == 0)
                break;
            // Few choices early on and any move later: shared openings that branch out.
            const int choices = ply < 4 ? std::min(count, 3) : count;
            MoveCode move = legal[next(static_cast<uint32_t>(choices))];
            for (int i = 0; i < count; ++i) {
                RulesBoard trial = board;
                int flags = 0;
                if (KessrinTryMove(trial, flags, legal[i]) && (flags & MoveFlag::Castling))
                    move = legal[i];
            }
            const std::string san = sanOf(board, move);
            int flags = 0;
            KessrinTryMove(board, flags, move);
            if (ply % 2 == 0)
                moveText += QString::number(ply / 2 + 1) + QStringLiteral(". ");
            moveText +=
                QString::fromStdString(san) +
                ((flags & MoveFlag::Check) ? ((flags & MoveFlag::NoReply) ? "# " : "+ ") : " ");
        }
        pgn += QStringLiteral("[Event \"Generated %1\"]\n[Result \"%2\"]\n\n%3%2\n\n")
                   .arg(game)
                   .arg(QLatin1String(result), moveText);
    }
    return pgn;
}

// Reads a dump: lines of numbered moves where the dumped colour's moves carry "{n%}".
void readDump(const QString& path, std::vector<DumpedPosition>& positions,
              std::map<std::string, std::size_t>& indexOfFen)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QRegularExpression moveNumber(QStringLiteral("^\\d+\\.+$"));
    const QRegularExpression bookMove(QStringLiteral("^(.+)\\{(\\d+)%\\}$"));
    while (!file.atEnd()) {
        const QStringList words =
            QString::fromUtf8(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 2 || !words[0].endsWith(QLatin1Char(':')))
            continue;
        RulesBoard board;
        KessrinFen2Board(board, StartFen);
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QString word = words[i].trimmed();
            if (word.startsWith(QLatin1Char('{'))) // "{trans: ...}": the line joins another one
                break;
            if (word.isEmpty() || moveNumber.match(word).hasMatch())
                continue;
            const QRegularExpressionMatch match = bookMove.match(word);
            const std::string san = (match.hasMatch() ? match.captured(1) : word).toStdString();
            const MoveCode move = KessrinAlg2Move(board, san);
            ASSERT_NE(move, 0) << "dump move " << san << " in " << KessrinBoard2Fen(board);
            if (match.hasMatch()) {
                const std::string fen = KessrinBoard2Fen(board);
                auto [at, added] = indexOfFen.try_emplace(fen, positions.size());
                if (added)
                    positions.push_back({board, {}});
                positions[at->second].moves[sanOf(board, move)] = match.captured(2).toStdString();
            }
            int flags = 0;
            ASSERT_NE(KessrinTryMove(board, flags, move), 0);
        }
    }
}

class AgainstPolyglot : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        KessrinInit();
        ASSERT_TRUE(folder.isValid());
        QFile games(folder.filePath(QStringLiteral("games.pgn")));
        ASSERT_TRUE(games.open(QIODevice::WriteOnly | QIODevice::Text));
        games.write(generatedGames().toUtf8());
        games.close();
        runPolyglot({QStringLiteral("make-book"), QStringLiteral("-pgn"), games.fileName(),
                     QStringLiteral("-bin"), bookPath(), QStringLiteral("-min-game"),
                     QStringLiteral("1")});
    }

    QString bookPath() const { return folder.filePath(QStringLiteral("book.bin")); }

    // Positions in the order the dumps for White and then Black list them.
    std::vector<DumpedPosition> dumped()
    {
        std::vector<DumpedPosition> positions;
        std::map<std::string, std::size_t> indexOfFen;
        for (const char* colour : {"white", "black"}) {
            const QString out = folder.filePath(QStringLiteral("%1.txt").arg(colour));
            runPolyglot({QStringLiteral("dump-book"), QStringLiteral("-bin"), bookPath(),
                         QStringLiteral("-color"), QLatin1String(colour), QStringLiteral("-out"),
                         out});
            readDump(out, positions, indexOfFen);
        }
        return positions;
    }

    MoveShares ours(const RulesBoard& board)
    {
        const int n = GetBookMoves(board, bookPath().toStdString(), handles.data(), moves.data(),
                                   weights.data());
        int64_t total = 0;
        for (int i = 0; i < n; ++i)
            total += weights[static_cast<std::size_t>(i)];
        MoveShares shares;
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            shares[sanOf(board, moves[k])] = share(weights[k], total);
        }
        return shares;
    }

    QTemporaryDir folder;
    std::array<int32_t, MaxBookMoves> handles{};
    std::array<MoveCode, MaxBookMoves> moves{};
    std::array<int32_t, MaxBookMoves> weights{};
};

TEST_F(AgainstPolyglot, EveryDumpedPositionReadsBackItsMovesAndShares)
{
    const std::vector<DumpedPosition> positions = dumped();
    ASSERT_GE(positions.size(), PositionsAtLeast);
    int castlings = 0;
    for (const DumpedPosition& position : positions) {
        SCOPED_TRACE(KessrinBoard2Fen(position.board));
        EXPECT_EQ(ours(position.board), position.moves);
        for (const auto& [san, percent] : position.moves)
            castlings += san.rfind("O-O", 0) == 0;
    }
    EXPECT_GT(castlings, 0) << "the generated games should put castling moves into the book";
}

TEST_F(AgainstPolyglot, ARewrittenWeightIsWhatPolyglotThenReads)
{
    RulesBoard start;
    KessrinFen2Board(start, StartFen);
    const std::string book = bookPath().toStdString();
    const int n = GetBookMoves(start, book, handles.data(), moves.data(), weights.data());
    ASSERT_GE(n, 2);
    // The least played first move becomes by far the most played one.
    const std::size_t last = static_cast<std::size_t>(n - 1);
    ASSERT_NE(PutBookMove(book, handles[last], moves[last], 4 * weights[0] + 1000), 0);
    const MoveShares expected = ours(start);
    EXPECT_EQ(weights[last], 4 * weights[0] + 1000);

    const std::vector<DumpedPosition> positions = dumped();
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(KessrinBoard2Fen(positions[0].board), KessrinBoard2Fen(start));
    EXPECT_EQ(positions[0].moves, expected);
}

} // namespace
