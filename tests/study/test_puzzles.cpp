// Puzzle series: reading the files, the list, a puzzle's game and its end.
#include "support/game_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "play/gamecontrol.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "study/puzzles.h"

#include <QDir>
#include <QFile>

namespace {

constexpr const char* MateInOne = "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1";
constexpr const char* BlackToMove = "r5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1";

class PuzzleTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        App.ProgramFolder = folder.path() + QLatin1Char('/');
        QDir(folder.path()).mkdir(QStringLiteral("ENDGAMES"));
        Cfg.PromptSave = false;
    }
    void writeSeries(const QString& name, const QByteArray& bytes)
    {
        QFile file(PuzzleFilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // n distinct puzzle lines, "Puzzle 0" ...
    static QByteArray series(int n, const char* fen = MateInOne)
    {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes += QByteArray(fen) + "; Puzzle " + QByteArray::number(i) + "\n";
        return bytes;
    }
    QTemporaryDir folder;
};

TEST_F(PuzzleTest, LinesAreSplitAtTheFirstSeparatorAndBadLinesSkipped)
{
    QByteArray bytes = "\xEF\xBB\xBF";
    bytes += QByteArray(MateInOne) + "   ;   Loyd; Mate in two; 1897\r\n";
    bytes += "\n   \n";
    bytes += "no separator here\n";
    bytes += QByteArray(MateInOne) + ";no blank after the semicolon\n";
    bytes += "8/8/8/8/8/8/8/8 w - - 0 1; no kings\n";
    bytes += "k7/8/8/8/8/8/8/KP6 w - - 0 1; pawn on the first rank\n";
    bytes += "K7/8/8/8/8/8/8/k6R w - - 0 1; side not to move in check\n";
    bytes += QByteArray(10 * 1024 * 1024, 'x') + "; " + QByteArray(MateInOne) + "\n";
    static constexpr char Junk[] = "\x00\x01\xFF\xFE; \x02junk\x00\n";
    bytes += QByteArray(Junk, sizeof Junk - 1);
    bytes += QByteArray(BlackToMove) + "; Caf\xE9 Latin-1\n";
    bytes += QByteArray(MateInOne) + "; Last, without a line end";
    writeSeries(QStringLiteral("9"), bytes);

    const auto read = ReadPuzzleFile(PuzzleFilePath(QStringLiteral("9")));
    ASSERT_TRUE(read);
    const std::vector<std::pair<QString, QString>> expected = {
        {QString::fromLatin1(MateInOne), QStringLiteral("Loyd; Mate in two; 1897")},
        {QString::fromLatin1(BlackToMove), QString::fromUtf8("Café Latin-1")},
        {QString::fromLatin1(MateInOne), QStringLiteral("Last, without a line end")},
    };
    ASSERT_EQ(read->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*read)[i].fen, expected[i].first) << i;
        EXPECT_EQ((*read)[i].title, expected[i].second) << i;
    }

    // The title keeps a second separator; the position ends before the first.
    const auto line = ParsePuzzleLine(QStringLiteral("8/8/8 w - -  ; word; other"));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->fen, QStringLiteral("8/8/8 w - -"));
    EXPECT_EQ(line->title, QStringLiteral("word; other"));
    EXPECT_FALSE(ParsePuzzleLine(QStringLiteral("8/8/8 w - -;word")));
}

TEST_F(PuzzleTest, ASeriesLoadsAtMost1024AndTheSelectionStaysInside)
{
    writeSeries(QStringLiteral("2"), series(1500));
    shown.puzzleChoice = -1;
    LoadPuzzles(QStringLiteral("2"), QStringLiteral("Mate in 2"));
    EXPECT_EQ(Puzzles.PuzzleCount, 1024);
    ASSERT_EQ(shown.puzzleLists.size(), 1u);
    EXPECT_EQ(shown.puzzleLists[0].titles.size(), 1024);
    EXPECT_EQ(shown.puzzleLists[0].titles.last(), QStringLiteral("Puzzle 1023"));
    EXPECT_EQ(shown.puzzleLists[0].caption, QStringLiteral("Mate in 2"));

    writeSeries(QStringLiteral("3"), series(12));
    Cfg.EndgamesIndex = 40;
    LoadPuzzles(QStringLiteral("3"), QStringLiteral("Mate in 3"));
    EXPECT_EQ(Puzzles.PuzzleCount, 12);
    EXPECT_EQ(Cfg.EndgamesIndex, 11);
    EXPECT_EQ(shown.puzzleLists.back().selected, 11);
}

TEST_F(PuzzleTest, CancelMakesTheSeriesCurrentAndAMissingFileChangesNothing)
{
    writeSeries(QStringLiteral("1"), series(3));
    playQuiet({"e4"});
    shown.puzzleChoice = -1;
    LoadPuzzles(QStringLiteral("1"), QStringLiteral("Endgames"));
    EXPECT_EQ(Cfg.EpdName, QStringLiteral("1"));
    EXPECT_EQ(Cfg.EpdTitle, QStringLiteral("Endgames"));
    EXPECT_EQ(Game.PlyCount, 1); // the game is unchanged
    EXPECT_FALSE(Puzzles.PuzzleActive);

    // Current Puzzle Series opens that series again.
    mnEndgamesStart_Click();
    ASSERT_EQ(shown.puzzleLists.size(), 2u);
    EXPECT_EQ(shown.puzzleLists[1].caption, QStringLiteral("Endgames"));

    // A missing file, and one without a single puzzle line, are reported; nothing changes.
    writeSeries(QStringLiteral("0"), "no puzzles\n\n");
    for (const char* name : {"5", "0"}) {
        fake.messages.clear();
        LoadPuzzles(QString::fromLatin1(name), QStringLiteral("Other"));
        ASSERT_EQ(fake.messages.size(), 1u) << name;
        EXPECT_EQ(fake.messages[0].text,
                  QStringLiteral("Error Open File: ") + PuzzleFilePath(QString::fromLatin1(name)));
        EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(Cfg.EpdName, QStringLiteral("1"));
        EXPECT_EQ(Puzzles.PuzzleCount, 3);
        EXPECT_EQ(shown.puzzleLists.size(), 2u);
    }
}

TEST_F(PuzzleTest, APuzzlePlaysTheSideToMoveAgainstExpert)
{
    loadEngine();
    Cfg.AutoFlip = true;
    writeSeries(QStringLiteral("2"),
                QByteArray(MateInOne) + "; White first\n" + BlackToMove + "; Black first\n");
    const struct {
        int choice;
        bool engineWhite;
        const char* fen;
    } rows[] = {{1, true, BlackToMove}, {0, false, MateInOne}};
    for (const auto& row : rows) {
        Cfg.Depth = 8;
        shown.puzzleChoice = row.choice;
        LoadPuzzles(QStringLiteral("2"), QStringLiteral("Mate in 2"));
        EXPECT_EQ(Game.StartFen, QString::fromLatin1(row.fen));
        EXPECT_EQ(Engine.EngineWhite, row.engineWhite) << row.choice;
        EXPECT_EQ(Engine.EngineBlack, !row.engineWhite) << row.choice;
        EXPECT_EQ(Game.Flipped, row.engineWhite) << "the human's side at the bottom";
        EXPECT_EQ(Cfg.Depth, -9);
        EXPECT_EQ(Cfg.EndgamesIndex, row.choice);
        EXPECT_TRUE(Puzzles.PuzzleActive);
        EXPECT_EQ(Game.TagEvent, QStringLiteral("Mate in 2"));
        EXPECT_EQ(Game.TagRound, Puzzles.Titles[row.choice]);
    }
    // A new game ends the puzzle.
    NewGame();
    EXPECT_FALSE(Puzzles.PuzzleActive);
}

TEST_F(PuzzleTest, TheEndOfAPuzzleBringsTheListBackOnlyWhenAnotherGameIsWanted)
{
    loadEngine();
    writeSeries(QStringLiteral("2"), series(5));
    Cfg.EpdName = QStringLiteral("2");
    Cfg.EpdTitle = QStringLiteral("Mate in 2");
    for (const bool tryAgain : {true, false}) {
        Cfg.TryAgain = tryAgain;
        shown.puzzleLists.clear();
        shown.puzzleChoice = 3;
        mnEndgamesStart_Click();
        ASSERT_TRUE(Puzzles.PuzzleActive);
        shown.puzzleChoice = -1;
        fake.answers = {MsgAnswer::Yes};
        ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, "Ra8"), ModeClick, 0));
        EXPECT_EQ(Game.GameResult, ResultWhiteWins);
        // The list comes back with the same puzzle selected, instead of a new game.
        EXPECT_EQ(shown.puzzleLists.size(), tryAgain ? 2u : 1u) << tryAgain;
        EXPECT_EQ(shown.puzzleLists.back().selected, 3);
        EXPECT_EQ(shown.newGameDialogs, 0);
        EXPECT_EQ(Game.PlyCount, 1);
    }
    // Without a list, the next New Game is a normal one.
    Cfg.ShowNew = false;
    mnFileNew_Click();
    EXPECT_FALSE(Puzzles.PuzzleActive);
    EXPECT_TRUE(Game.StandardStart);
}

TEST_F(PuzzleTest, SeriesMenuMovesTheTickUnlessTheSaveQuestionIsCancelled)
{
    writeSeries(QStringLiteral("4"), series(2));
    shown.puzzleChoice = -1;
    mnEndgames_Click(2);
    EXPECT_EQ(Cfg.EpdMenu, 2);
    EXPECT_EQ(shown.ticks.back(), std::make_pair(QStringLiteral("mnEndgames"), 2));
    EXPECT_EQ(Cfg.EpdName, QStringLiteral("4"));
    EXPECT_EQ(Cfg.EpdTitle, QStringLiteral("Mate in 4"));

    Cfg.PromptSave = true;
    playQuiet({"e4"});
    Game.Modified = true;
    fake.answers = {MsgAnswer::Cancel};
    mnEndgames_Click(5);
    EXPECT_EQ(Cfg.EpdMenu, 2);
    EXPECT_EQ(shown.ticks.back(), std::make_pair(QStringLiteral("mnEndgames"), 2));
    EXPECT_EQ(shown.puzzleLists.size(), 1u);

    // Sharing names the puzzle's start as it stands; the question carries its diagram.
    mnEndgamesShare_Click(0);
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_TRUE(fake.openedUrls[0].contains(QStringLiteral("puzzle.htm%3Ffen%3D")))
        << fake.openedUrls[0].toStdString();
    mnEndgamesPublishOther_Click();
    EXPECT_TRUE(fake.clipboard.startsWith(QStringLiteral("How to solve this puzzle in Chess Quorvin?\r\n")));
    EXPECT_EQ(fake.openedUrls.size(), 1u);
}

TEST_F(PuzzleTest, PreviewShowsThePiecesRowByRow)
{
    const std::array<int, 64> pictures = PuzzlePreview(QString::fromLatin1(BlackToMove));
    EXPECT_EQ(pictures[0], 9);   // black rook a8
    EXPECT_EQ(pictures[6], 7);   // black king g8
    EXPECT_EQ(pictures[13], 12); // black pawn f7
    EXPECT_EQ(pictures[53], 6);  // white pawn f2
    EXPECT_EQ(pictures[62], 1);  // white king g1
    EXPECT_EQ(std::count(pictures.begin(), pictures.end(), 0), 64 - 9);
}

} // namespace
