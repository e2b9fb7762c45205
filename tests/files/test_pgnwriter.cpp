// PGN writer: the text of a game record, and writing it to the game file or the automatic save.
#include <gtest/gtest.h>

#include "core/gamerecord.h"
#include "files/pgnwriter.h"
#include "shell/appstate.h"
#include "support/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <initializer_list>

namespace {

const QString CrLf = QStringLiteral("\r\n");

class PgnWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KessrinInit();
        resetRecord(false);
        Game.GameFile.clear();
        ASSERT_TRUE(folder.isValid());
        App.ProgramFolder = folder.path() + QLatin1Char('/');
    }

    QTemporaryDir folder;
    FakePlatform fake;
};

// Records the plies as if they had been played; the writer only reads their notation.
void record(std::initializer_list<const char*> sans)
{
    for (const char* san : sans)
        Game.MoveSan[++Game.PlyCount] = QString::fromUtf8(san);
}

void startFrom(const char* fen, int side, int moveNumber)
{
    Game.StandardStart = false;
    Game.StartFen = QString::fromLatin1(fen);
    KessrinFen2Board(Game.Board, fen);
    Game.StartSide = side;
    Game.StartMoveNumber = moveNumber;
}

// The thirteen tag lines of an untagged game with the given result token, and the empty line.
QString emptyTags(const QString& result = QStringLiteral("*"), const QString& extra = {})
{
    QString text;
    for (const char* name :
         {"Event", "Site", "Date", "Round", "White", "WhiteElo", "Black", "BlackElo"})
        text += QStringLiteral("[%1 \"\"]\r\n").arg(QLatin1String(name));
    text += QStringLiteral("[Result \"%1\"]\r\n").arg(result);
    for (const char* name : {"ECO", "Opening", "Variation", "SubVariation"})
        text += QStringLiteral("[%1 \"\"]\r\n").arg(QLatin1String(name));
    return text + extra + CrLf;
}

QString lines(std::initializer_list<const char*> texts)
{
    QString text;
    for (const char* line : texts)
        text += QString::fromUtf8(line) + CrLf;
    return text;
}

struct TextCase {
    const char* name;
    std::function<void()> setup;
    QString expected;
};

TEST_F(PgnWriterTest, GameText)
{
    const TextCase cases[] = {
        {"new game", [] {}, emptyTags() + lines({" *"})},
        {"comment after White, White wins",
         [] {
             record({"e4", "e5", "Nf3", "Nc6", "Bb5"});
             Game.MoveComment[3] = "The knight comes out";
             Game.GameResult = ResultWhiteWins;
         },
         emptyTags(QStringLiteral("1-0")) +
             lines({" 1. e4 e5", " 2. Nf3", "{The knight comes out}", " 2... Nc6", " 3. Bb5 1-0"})},
        {"comment after Black stands between move lines",
         [] {
             record({"d4", "d5", "c4"});
             Game.MoveComment[2] = "Symmetry";
         },
         emptyTags() + lines({" 1. d4 d5", "{Symmetry}", " 2. c4 *"})},
        {"last ply Black: result on its own line",
         [] {
             record({"e4", "e5"});
             Game.GameResult = ResultDraw;
         },
         emptyTags(QStringLiteral("1/2-1/2")) + lines({" 1. e4 e5", " 1/2-1/2"})},
        {"last ply White with a comment: result on its own line",
         [] {
             record({"f3", "e5", "g4", "Qh4#"});
             Game.MoveComment[4] = "Mate";
             Game.GameResult = ResultBlackWins;
         },
         emptyTags(QStringLiteral("0-1")) + lines({" 1. f3 e5", " 2. g4 Qh4#", "{Mate}", " 0-1"})},
        {"comment before the first move",
         [] {
             Game.MoveComment[0] = "A quiet opening";
             record({"Nf3"});
         },
         emptyTags() + lines({"{A quiet opening}", " 1. Nf3 *"})},
        {"comment before the first move of an empty game",
         [] { Game.MoveComment[0] = "Nothing yet"; }, emptyTags() + lines({"{Nothing yet}", " *"})},
        {"comment lines end like every other line",
         [] {
             record({"e4"});
             Game.MoveComment[1] = "one\ntwo\r\nthree\rfour";
         },
         emptyTags() + lines({" 1. e4", "{one", "two", "three", "four}", " *"})},
        {"a comment that braces cannot hold goes into line comments",
         [] {
             record({"e4", "e5"});
             Game.MoveComment[1] = "smile :)\n\n[Event \"x\"]";
             Game.MoveComment[2] = "(fine)\n% but this line";
         },
         emptyTags() + lines({" 1. e4", ";smile :)", "{", "}", "{", "}", ";[Event \"x\"]",
                              " 1... e5", ";(fine)", "{", "}", ";% but this line", " *"})},
        {"annotation marks are not written",
         [] {
             record({"e4", "c5"});
             Game.MoveNag[1] = 1;
             Game.MoveNag[2] = 6;
         },
         emptyTags() + lines({" 1. e4 c5", " *"})},
        {"from a FEN, Black to move at 12, one ply",
         [] {
             startFrom("4k3/8/8/8/8/8/8/4K2R b K - 0 12", Black, 12);
             record({"Kd7"});
         },
         emptyTags(QStringLiteral("*"),
                   QStringLiteral("[FEN \"4k3/8/8/8/8/8/8/4K2R b K - 0 12\"]\r\n")) +
             lines({" 12... Kd7", " *"})},
        {"from a FEN, Black first, comment on the first ply",
         [] {
             startFrom("4k3/8/8/8/8/8/8/4K3 b - - 0 40", Black, 40);
             record({"Kd7", "Kd2", "Kc6"});
             Game.MoveComment[1] = "Centralise";
         },
         emptyTags(QStringLiteral("*"),
                   QStringLiteral("[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 40\"]\r\n")) +
             lines({" 40... Kd7", "{Centralise}", " 41. Kd2 Kc6", " *"})},
        {"Chess960 start names its variant before the FEN",
         [] {
             startFrom("bqnbrkrn/pppppppp/8/8/8/8/PPPPPPPP/BQNBRKRN w GEge - 0 1", White, 1);
             record({"g3"});
         },
         emptyTags(QStringLiteral("*"),
                   QStringLiteral("[Variant \"Fischerandom\"]\r\n"
                                  "[FEN \"bqnbrkrn/pppppppp/8/8/8/8/PPPPPPPP/BQNBRKRN w GEge - 0 "
                                  "1\"]\r\n")) +
             lines({" 1. g3 *"})},
    };
    for (const TextCase& row : cases) {
        resetRecord(false);
        Game.MoveNag.fill(0);
        row.setup();
        EXPECT_EQ(GameText(), row.expected) << row.name;
    }
}

TEST_F(PgnWriterTest, TagsInOrderWithValuesEscaped)
{
    Game.TagEvent = "Spring \"Open\"";
    Game.TagSite = "C:\\Clubs\\Home";
    Game.TagDate = "2024.03.01";
    Game.TagRound = "3";
    Game.TagWhite = "Müller,\r\nAnna";
    Game.TagWhiteElo = "2100";
    Game.TagBlack = "Line\nBreak";
    Game.TagBlackElo = "1950";
    Game.GameResult = ResultBlackWins;
    Game.TagEco = "C65";
    Game.TagOpening = "Ruy Lopez";
    Game.TagVariation = "Berlin";
    Game.TagSubVariation = "Rio";
    EXPECT_EQ(GameText(),
              lines({"[Event \"Spring \\\"Open\\\"\"]", "[Site \"C:\\\\Clubs\\\\Home\"]",
                     "[Date \"2024.03.01\"]", "[Round \"3\"]", "[White \"Müller,Anna\"]",
                     "[WhiteElo \"2100\"]", "[Black \"LineBreak\"]", "[BlackElo \"1950\"]",
                     "[Result \"0-1\"]", "[ECO \"C65\"]", "[Opening \"Ruy Lopez\"]",
                     "[Variation \"Berlin\"]", "[SubVariation \"Rio\"]", "", " 0-1"}));
    EXPECT_EQ(TagLine("FEN", "8/8\r\n/8"), "[FEN \"8/8/8\"]");
}

// However long the game or its comments, a line holds one full move, or one whole comment.
TEST_F(PgnWriterTest, LinesBreakByMoveNotByWidth)
{
    const char* cycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 1; ply <= 200; ++ply)
        Game.MoveSan[++Game.PlyCount] = cycle[(ply - 1) % 4];
    const QString longComment = QString(300, QLatin1Char('x'));
    Game.MoveComment[100] = longComment;

    QStringList written = GameText().split(CrLf);
    ASSERT_EQ(written.takeLast(), QString()); // the text ends with a line end
    written = written.mid(14);                // tag lines and the empty line
    ASSERT_EQ(written.size(), 100 + 1 + 1);
    const QRegularExpression fullMove(QStringLiteral("^ (\\d+)\\. N[fg]\\d N[fg]\\d$"));
    int expectedNumber = 1;
    for (int i = 0; i < 100; ++i) {
        const QString& line = written[i < 50 ? i : i + 1];
        const QRegularExpressionMatch match = fullMove.match(line);
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        EXPECT_EQ(match.captured(1).toInt(), expectedNumber++);
    }
    EXPECT_EQ(written[50], QLatin1Char('{') + longComment + QLatin1Char('}'));
    EXPECT_EQ(written.last(), " *");
}

TEST_F(PgnWriterTest, WritesUtf8ToTheGameFileAndMarksItSaved)
{
    Game.GameFile = folder.filePath("game.pgn");
    Game.TagWhite = "Müller";
    record({"e4"});
    Game.Modified = true;
    {
        QFile old(Game.GameFile);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'z')); // a longer earlier version must not leave a tail
    }

    EXPECT_TRUE(WriteGame(false));
    QFile file(Game.GameFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), GameText().toUtf8());
    EXPECT_TRUE(GameText().toUtf8().contains("[White \"M\xc3\xbcller\"]\r\n"));
    EXPECT_FALSE(Game.Modified);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(PgnWriterTest, AutosaveLeavesModifiedAlone)
{
    Game.GameFile = folder.filePath("untouched.pgn");
    record({"d4", "Nf6"});
    for (bool modified : {true, false}) {
        Game.Modified = modified;
        EXPECT_TRUE(WriteGame(true));
        EXPECT_EQ(Game.Modified, modified);
        QFile file(App.ProgramFolder + "AUTOSAVE.PGN");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), GameText().toUtf8());
    }
    EXPECT_FALSE(QFile::exists(Game.GameFile));
}

TEST_F(PgnWriterTest, UnwritableTargetShowsTheErrorAndChangesNothing)
{
    const QString missingFolder = folder.filePath("missing") + QStringLiteral("/game.pgn");
    struct Row {
        bool toAutosave;
        QString programFolder;
        QString gameFile;
        QString reported;
    } rows[] = {
        {false, App.ProgramFolder, missingFolder, missingFolder},
        {false, App.ProgramFolder, folder.path(), folder.path()}, // a folder, not a file
        {true, folder.filePath("gone") + "/", missingFolder,
         folder.filePath("gone") + "/AUTOSAVE.PGN"},
    };
    for (const Row& row : rows) {
        fake.messages.clear();
        App.ProgramFolder = row.programFolder;
        Game.GameFile = row.gameFile;
        Game.Modified = true;
        EXPECT_FALSE(WriteGame(row.toAutosave)) << row.reported.toStdString();
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text, "Error Open File: " + row.reported);
        EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(fake.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(fake.messages[0].title, AppTitle);
        EXPECT_TRUE(Game.Modified);
        EXPECT_EQ(Game.GameFile, row.gameFile);
    }
}

} // namespace
