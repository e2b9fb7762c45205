// Writer and reader together: games an engine played against itself, standard and Chess960,
// carrying tags and comments of every awkward kind, read back to the record that was written,
// one file per game and all of them in one file.
#include "reader_fixture.h"
#include "selfplay.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "files/gameindex.h"
#include "files/pgnreader.h"
#include "files/pgnwriter.h"
#include "play/chess960.h"
#include "play/gamecontrol.h"

#include <QFileInfo>

#include <random>
#include <vector>

namespace {

constexpr const char* EngineProgram = "/usr/games/stockfish";
constexpr int StandardGames = 200;
constexpr int Chess960Games = 100;

// Everything the writer carries: the record less the annotation marks.
struct Carried {
    QString startFen;
    bool standardStart = true;
    int startSide = 0;
    int startMoveNumber = 1;
    std::vector<MoveCode> moves;
    QStringList sans;
    QStringList comments; // 0..plies
    QStringList tags;
    int result = 0;
};

Carried carried()
{
    Carried c;
    c.startFen = Game.StartFen;
    c.standardStart = Game.StandardStart;
    c.startSide = Game.StartSide;
    c.startMoveNumber = Game.StartMoveNumber;
    for (int ply = 1; ply <= Game.PlyCount; ++ply) {
        c.moves.push_back(Game.Moves[ply]);
        c.sans << Game.MoveSan[ply];
    }
    for (int ply = 0; ply <= Game.PlyCount; ++ply)
        c.comments << Game.MoveComment[ply];
    c.tags = {Game.TagEvent, Game.TagSite,     Game.TagDate,      Game.TagRound,
              Game.TagWhite, Game.TagWhiteElo, Game.TagBlack,     Game.TagBlackElo,
              Game.TagEco,   Game.TagOpening,  Game.TagVariation, Game.TagSubVariation};
    c.result = Game.GameResult;
    return c;
}

// The first field in which b differs from a, or "" when none does.
QString firstDifference(const Carried& a, const Carried& b)
{
    auto show = [](const QStringList& list) {
        return QLatin1Char('[') + list.join(QStringLiteral("|")) + QLatin1Char(']');
    };
    if (a.startFen != b.startFen || a.standardStart != b.standardStart)
        return QStringLiteral("start ") + a.startFen + QStringLiteral(" read as ") + b.startFen;
    if (a.startSide != b.startSide || a.startMoveNumber != b.startMoveNumber)
        return QStringLiteral("start move number or side");
    if (a.moves != b.moves || a.sans != b.sans)
        return QStringLiteral("moves ") + a.sans.join(' ') + QStringLiteral(" read as ") +
               b.sans.join(' ');
    if (a.comments != b.comments)
        return QStringLiteral("comments ") + show(a.comments) + QStringLiteral(" read as ") +
               show(b.comments);
    if (a.tags != b.tags)
        return QStringLiteral("tags ") + show(a.tags) + QStringLiteral(" read as ") + show(b.tags);
    if (a.result != b.result)
        return QStringLiteral("result %1 read as %2").arg(a.result).arg(b.result);
    return {};
}

// Texts that a reader or another program could take for something else.
const QStringList TagTexts = {
    "Ann",         "Müller, Jörg",
    "Østergaard",  "李小龙",
    "O'Brien",     "The \"Big\" one",
    "\"",          "ends in a backslash\\",
    "C:\\games\\", "\\\"",
    "[x]",         "{brace",
    "a;b",         "%pct",
    "tab\there",   "  spaced  ",
    "1/2-1/2",     "*",
};
const QStringList CommentTexts = {
    "good",
    "Müller's idea",
    "\nstarts with a break",
    "ends with a break\n",
    "blank\n\nline",
    "unbalanced ) close",
    "unbalanced ( open",
    "(1. d4 d5 2. c4)",
    "a {nested} brace",
    "}",
    "{",
    "smile :)",
    "% at the start",
    "[Event \"not a tag\"]",
    "1-0 is no result here",
    "*",
    "; semicolon",
    "tabs\tin\ttext",
    "  leading spaces",
    "trailing spaces  ",
    "0-0 castles",
    "\\back\\slash",
    "$1 !? Nf3",
    "\n",
};

class RoundTrip : public ReaderTest {
protected:
    std::mt19937 random{20240611};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    const QString& any(const QStringList& list) { return list[below(list.size())]; }

    QString comment()
    {
        QString text = any(CommentTexts);
        static const char* const joins[] = {"", " ", "\n", "\n\n"};
        while (below(3) == 0)
            text += QLatin1String(joins[below(4)]) + any(CommentTexts);
        return text;
    }

    // Tags and comments on the game just played, and a result when its moves gave none.
    void annotate()
    {
        QString* tags[] = {&Game.TagEvent,   &Game.TagSite,      &Game.TagDate,
                           &Game.TagRound,   &Game.TagWhite,     &Game.TagWhiteElo,
                           &Game.TagBlack,   &Game.TagBlackElo,  &Game.TagEco,
                           &Game.TagOpening, &Game.TagVariation, &Game.TagSubVariation};
        for (QString* tag : tags)
            if (below(3) == 0)
                *tag = any(TagTexts);
        for (int ply = 0; ply <= Game.PlyCount; ++ply)
            if (below(6) == 0)
                Game.MoveComment[ply] = comment();
        if (Game.GameResult == ResultNone)
            Game.GameResult = below(4);
    }
};

TEST_F(RoundTrip, EngineGamesReadBackAsWritten)
{
    if (!QFileInfo(QString::fromLatin1(EngineProgram)).isExecutable())
        GTEST_SKIP() << "no engine at " << EngineProgram;
    SelfPlay engine(7);
    ASSERT_TRUE(engine.start(QString::fromLatin1(EngineProgram)));

    std::vector<Carried> written;
    QByteArray oneFile;
    const QString path = folder.filePath(QStringLiteral("game.pgn"));
    int plies = 0, chess960Castlings = 0;
    for (int number = 0; number < StandardGames + Chess960Games; ++number) {
        const bool chess960 = number >= StandardGames;
        QString fen = QString::fromLatin1(StandardFen);
        if (chess960) {
            const int position = below(Chess960Count - 1);
            fen = Chess960Fen(position < StandardChess960Number ? position : position + 1);
        } else if (number % 8 == 7) {
            // A game taken up in the middle, with either side to move.
            RulesBoard board{};
            KessrinFen2Board(board, StandardFen);
            for (MoveCode move : engine.playGame(fen, false, 5 + below(40))) {
                int flags = 0;
                KessrinTryMove(board, flags, move);
            }
            fen = QString::fromStdString(KessrinBoard2Fen(board));
        }
        const int longest = below(10) == 0 ? 400 : 160;
        const std::vector<MoveCode> moves = engine.playGame(fen, chess960, 1 + below(longest));

        if (fen == QLatin1String(StandardFen))
            ResetGame(false, true);
        else
            ASSERT_TRUE(StartFromFen(fen, true)) << fen.toStdString();
        for (MoveCode move : moves) {
            ASSERT_TRUE(DoMove(move, ModeQuiet, below(7))) << number;
            if (chess960 && Game.MoveSan[Game.PlyCount].startsWith(QLatin1String("O-O")))
                ++chess960Castlings;
            if (Game.GameResult != ResultNone)
                break;
        }
        annotate();
        plies += Game.PlyCount;
        const Carried game = carried();
        const QByteArray text = GameText().toUtf8();
        oneFile += text + "\r\n";
        written.push_back(game);

        Game.GameFile = path;
        ASSERT_TRUE(WriteGame(false));
        LoadGameFile(false);
        const QString difference = firstDifference(game, carried());
        ASSERT_EQ(difference.toStdString(), "") << "game " << number << "\n" << text.constData();
    }
    EXPECT_GT(plies, 10000);
    EXPECT_GT(chess960Castlings, 10);
    EXPECT_TRUE(fake.messages.empty());

    // All games in one file: each is found where the writer put it, and reads back the same.
    const std::optional<std::vector<GameIndexEntry>> index = IndexGames(oneFile);
    ASSERT_TRUE(index);
    ASSERT_EQ(index->size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        const GameIndexEntry& entry = (*index)[i];
        EXPECT_EQ(entry.white.toStdString(), written[i].tags[4].toStdString()) << i;
        EXPECT_EQ(entry.black.toStdString(), written[i].tags[6].toStdString()) << i;
        LoadGameBytes(QByteArrayView(oneFile).sliced(entry.offset, entry.length));
        ASSERT_EQ(firstDifference(written[i], carried()).toStdString(), "") << "game " << i;
    }
}

} // namespace
