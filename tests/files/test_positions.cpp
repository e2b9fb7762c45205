// Positions in and out: FEN on the clipboard and in files, positions refused before they reach
// the game, moves imported from text, and the text diagram.
#include "support/game_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "files/positions.h"
#include "files/savegame.h"
#include "shell/settings.h"
#include "shell/startup.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString StartBoardFen =
    QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");

class PositionTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        Cfg.PromptSave = true;
        ResetMoveList();
    }
    QString writeFile(const char* name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // A changed game of 1. e4 e5 2. Nf3, shown at its start.
    void changedGame()
    {
        resetRecord(false);
        ResetMoveList();
        playQuiet({"e4", "e5", "Nf3"});
        SetModified();
        while (Game.CurPly > 0)
            StepBack();
        ShowMoveList(false);
    }
    QTemporaryDir folder;
};

TEST_F(PositionTest, CopiedFenEndsInZeroAndTheMoveNumberAndPastesBackAsAFenGame)
{
    mnPosCopy_Click();
    EXPECT_EQ(fake.clipboard, StartBoardFen + " 0 1");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "The current position is copied to the clipboard.");
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Information);

    // After 1. e4 the half-move clock written is still 0 and Black moves in move 1.
    playQuiet({"e4"});
    EXPECT_EQ(CurrentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    playQuiet({"e5", "Nf3", "Nc6"});
    EXPECT_TRUE(CurrentFen().endsWith(" 0 3"));

    fake.clipboard = StartBoardFen + " 0 1";
    mnPosPaste_Click();
    EXPECT_FALSE(Game.StandardStart);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.StartFen, StartBoardFen + " 0 1");
}

TEST_F(PositionTest, PositionsAnEngineCannotPlayFromNeverReachTheGame)
{
    const struct {
        const char* text;
        const char* message; // how the refusal begins; "" for none
    } refused[] = {
        {"", ""}, // an empty clipboard changes nothing
        {"hello world", "This text is not a chess position:"},
        {"\x01\x02\xff\xfe binary", "The clipboard holds no text."},
        {"8/8/8/8/8/8/8/4K3 w - - 0 1", "This text is not a chess position:"},    // no Black king
        {"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", "This text is not a chess position:"}, // two kings
        {"4k3/8/8/8/8/8/8/P3K3 w - - 0 1", "This text is not a chess position:"}, // first rank
        {"3pk3/8/8/8/8/8/8/4K3 w - - 0 1", "This text is not a chess position:"}, // last rank
        // Black, not to move, in check by a rook and by a knight.
        {"4k3/8/8/8/8/8/8/3KR3 w - - 0 1", "This text is not a chess position:"},
        {"4k3/8/3N4/8/8/8/8/4K3 w - - 0 1", "This text is not a chess position:"},
    };
    for (const auto& row : refused) {
        changedGame();
        fake.messages.clear();
        fake.answers = {MsgAnswer::No}; // do not save
        fake.clipboard = QString::fromLatin1(row.text);
        mnPosPaste_Click();
        EXPECT_EQ(Game.PlyCount, 3) << row.text;
        EXPECT_TRUE(Game.StandardStart) << row.text;
        EXPECT_TRUE(Game.Modified) << row.text;
        ASSERT_EQ(fake.messages.size(), *row.message ? 2u : 1u) << row.text;
        EXPECT_TRUE(fake.lastMessage().startsWith(QString::fromLatin1(row.message))) << row.text;
    }
    // The side to move may be in check; that is a position like any other.
    fake.answers = {MsgAnswer::No};
    fake.clipboard = "4k3/8/8/8/8/8/8/3KR3 b - - 0 1";
    mnPosPaste_Click();
    EXPECT_FALSE(Game.StandardStart);
}

TEST_F(PositionTest, PositionFileUsesItsFirstLineAndBadFilesDoNoHarm)
{
    const QString several = writeFile("several.fen", "4k3/8/8/8/8/8/8/4K2R w K - 0 30\r\n"
                                                     "8/8/8/8/8/8/8/K6k b - - 0 1\n");
    EXPECT_TRUE(LoadPositionFile(several));
    EXPECT_EQ(Game.StartFen, "4k3/8/8/8/8/8/8/4K2R w K - 0 30");
    EXPECT_EQ(Game.MoveNumber, 30);
    EXPECT_EQ(Game.SideToMove, White);

    fake.messages.clear();
    EXPECT_FALSE(LoadPositionFile(folder.filePath("missing.fen")));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.lastMessage(), "Error Open File: " + folder.filePath("missing.fen"));
    EXPECT_EQ(Game.StartFen, "4k3/8/8/8/8/8/8/4K2R w K - 0 30");

    // Not text: a large run of bytes without a line end is refused, the game is kept.
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); i += 3)
        binary[i] = static_cast<char>(0x80 + (i * 37) % 128);
    fake.messages.clear();
    EXPECT_FALSE(LoadPositionFile(writeFile("binary.fen", binary)));
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.lastMessage().startsWith("This is not a text file: "));
    EXPECT_EQ(Game.MoveNumber, 30);

    EXPECT_FALSE(LoadPositionFile(writeFile("empty.fen", {})));

    // The command line's "/F " form reads the same way; a missing file leaves a new game.
    StartFromCommandLine(ParseCommandLine(
        "/F \"" + writeFile("second one.fen", "8/8/8/8/8/8/8/K6k b - - 0 1") + "\""));
    EXPECT_EQ(Game.StartFen, "8/8/8/8/8/8/8/K6k b - - 0 1");
    StartFromCommandLine(ParseCommandLine("-f " + folder.filePath("missing.fen")));
    EXPECT_TRUE(Game.StandardStart);
    EXPECT_TRUE(fake.lastMessage().startsWith("Error Open File: "));
}

TEST_F(PositionTest, SavedPositionIsOneLineAndLeavesTheGameAlone)
{
    playQuiet({"d4"});
    SetModified();
    const QString path = folder.filePath("out.fen");
    fake.fileAnswers = {path};
    mnPosStore_Click();
    ASSERT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(fake.dialogs[0].kind, "save");
    EXPECT_EQ(fake.dialogs[0].title, "Save Position to File");
    EXPECT_EQ(fake.dialogs[0].defaultExtension, "fen");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (CurrentFen() + "\n").toUtf8());
    EXPECT_TRUE(Game.Modified);
    EXPECT_EQ(Game.PlyCount, 1);

    fake.messages.clear();
    fake.fileAnswers = {folder.filePath("no/such/folder/out.fen")};
    mnPosStore_Click();
    EXPECT_TRUE(fake.lastMessage().startsWith("Error Open File: "));
}

TEST_F(PositionTest, ImportedMovesFollowTheLastPlyWhateverPlyIsShown)
{
    playQuiet({"e4", "e5", "Nf3", "Nc6", "Bb5", "a6", "Ba4", "Nf6", "O-O", "Be7"});
    while (Game.CurPly > 3)
        StepBack();
    ShowMoveList(false);
    fake.fileAnswers = {writeFile("moves.txt", "[Event \"ignored\"]\r\n11. Re1 {a comment\r\n"
                                               "over two lines} b5 12. Bb3 0-1\n d6\n")};
    mnMoveImport_Click();
    EXPECT_EQ(fake.dialogs[0].title, "Load Moves from Text File");
    ASSERT_EQ(Game.PlyCount, 14);
    EXPECT_EQ(Game.MoveSan[11], "Re1");
    EXPECT_EQ(Game.MoveComment[11], "a comment\nover two lines");
    EXPECT_EQ(Game.MoveSan[14], "d6"); // reading goes on after a result
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    EXPECT_EQ(Game.CurPly, 14);
    EXPECT_TRUE(Game.Modified);
    EXPECT_EQ(shown.moveRows.size(), 15);

    // An import that finds no move still counts as a change; binary text is no move text.
    ClearModified();
    fake.clipboard = "zz9 Nb1";
    mnMovePaste_Click();
    EXPECT_EQ(Game.PlyCount, 14);
    EXPECT_TRUE(Game.Modified);
    ClearModified();
    fake.clipboard = QString::fromLatin1("\x01\x02 {zz9 \xff");
    mnMovePaste_Click();
    EXPECT_EQ(fake.lastMessage(), "The clipboard holds no text.");
    EXPECT_FALSE(Game.Modified);
    EXPECT_TRUE(Game.MoveComment[14].isEmpty());
    fake.fileAnswers = {writeFile("moves.bin", QByteArray("e4\0\x01\x02", 5))};
    mnMoveImport_Click();
    EXPECT_TRUE(fake.lastMessage().startsWith("This is not a text file: "));
    EXPECT_EQ(Game.PlyCount, 14);
}

TEST_F(PositionTest, FenPrefixAsksToSaveFirstThenStartsFromTheFenAndPlaysTheMoves)
{
    const QString text = QStringLiteral("{$fen 4k3/8/8/8/8/8/8/4K2R w K - 0 40}\r\n"
                                        "40. O-O Kd7\r\n41. Rd1+");
    changedGame();
    fake.clipboard = text;
    fake.answers = {MsgAnswer::Cancel};
    mnMovePaste_Click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].text.endsWith("Do you want to save the changes?"));
    EXPECT_EQ(Game.PlyCount, 3);
    EXPECT_TRUE(Game.StandardStart);

    fake.answers = {MsgAnswer::No};
    mnMovePaste_Click();
    EXPECT_FALSE(Game.StandardStart);
    EXPECT_EQ(Game.StartFen, "4k3/8/8/8/8/8/8/4K2R w K - 0 40");
    ASSERT_EQ(Game.PlyCount, 3);
    EXPECT_EQ(Game.MoveSan[1], "O-O");
    EXPECT_EQ(Game.MoveSan[3], "Rd1+");
    EXPECT_EQ(shown.moveRows[1], "40.O-O");

    // Without a closing brace the prefix is no prefix: the text is read as moves.
    fake.clipboard = "{$fen 8/8/8/8/8/8/8/K6k w - - 0 1 Kd2";
    fake.answers = {MsgAnswer::No};
    mnMovePaste_Click();
    EXPECT_EQ(Game.StartFen, "4k3/8/8/8/8/8/8/4K2R w K - 0 40");
    // A prefix with a refused position keeps the game and imports nothing into it.
    fake.clipboard = "{$fen 8/8/8/8/8/8/8/8 w - - 0 1} Kd2";
    mnMovePaste_Click();
    EXPECT_EQ(Game.PlyCount, 3);
}

TEST_F(PositionTest, TextDiagramFirstAndLastLines)
{
    const QStringList lines = TextDiagram(Game.Board).split("\r\n");
    ASSERT_EQ(lines.size(), 12); // eleven lines, each ended
    EXPECT_EQ(lines[0], "8|r n b q k b n r ");
    EXPECT_EQ(lines[4], "4|. . . . . . . . ");
    EXPECT_EQ(lines[7], "1|R N B Q K B N R ");
    EXPECT_EQ(lines[8], " +----------------");
    EXPECT_EQ(lines[9], "  a b c d e f g h");
    EXPECT_EQ(lines[10], "  White to move.");
    EXPECT_EQ(lines[11], "");
    playQuiet({"e4"});
    EXPECT_TRUE(TextDiagram(Game.Board).endsWith("  Black to move.\r\n"));
}

} // namespace
