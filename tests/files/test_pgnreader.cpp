// PGN reader: the tag section, the movetext dialect, line ends, character sets and what the
// record looks like after opening a file.
#include "reader_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "files/gameindex.h"
#include "files/pgnreader.h"
#include "files/pgnwriter.h"
#include "shell/appstate.h"
#include "shell/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include <unistd.h>

namespace {

const QByteArray Tags = "[Event \"Club\"]\r\n[White \"Ann\"]\r\n[Black \"Bob\"]\r\n\r\n";

struct MovetextCase {
    const char* name;
    QByteArray text;
    QStringList sans;
    std::vector<int> nags;         // per ply; empty when all are 0
    std::vector<QString> comments; // comments 0..; empty when all are ""
    int result;
};

TEST_F(ReaderTest, Movetext)
{
    const MovetextCase cases[] = {
        {"numbers against moves", "1.e4 e5 2.Nf3 *", {"e4", "e5", "Nf3"}, {}, {}, ResultNone},
        {"repeated number for Black", "1. e4 1... e5 *", {"e4", "e5"}, {}, {}, ResultNone},
        {"three dots against the move",
         "1.e4 1...e5 2.Nf3 *",
         {"e4", "e5", "Nf3"},
         {},
         {},
         ResultNone},
        {"brace comments joined",
         "1. e4 {good}{move} e5 *",
         {"e4", "e5"},
         {},
         {"", "goodmove"},
         ResultNone},
        {"variation kept as comment",
         "e4 (1. d4 d5) e5 *",
         {"e4", "e5"},
         {},
         {"", "1. d4 d5"},
         ResultNone},
        {"nested brackets of both kinds",
         "e4 {a (b {c}) d} e5 *",
         {"e4", "e5"},
         {},
         {"", "a (b {c}) d"},
         ResultNone},
        {"comment before the first move", "{Start} 1. d4 *", {"d4"}, {}, {"Start"}, ResultNone},
        {"annotation codes",
         "e4!? e5?? Nf3!! Nc6?! Bb5! a6? *",
         {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"},
         {5, 4, 3, 6, 1, 2},
         {},
         ResultNone},
        {"glyphs, null moves and stray signs",
         "1. e4 $1 -- e5 $14 ! 2. Nf3 *",
         {"e4", "e5", "Nf3"},
         {},
         {},
         ResultNone},
        {"result ends the game", "1. e4 e5 0-1 2. Nf3 Nc6", {"e4", "e5"}, {}, {}, ResultBlackWins},
        {"draw result", "1. e4 1/2-1/2", {"e4"}, {}, {}, ResultDraw},
        {"castling with zeros",
         "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 d6 5. d3 Bg4 6. Nc3 Qd7 "
         "7. Be3 0-0-0 10.0-0 *",
         {"e4", "e5", "Nf3", "Nc6", "Bc4", "Bc5", "O-O", "d6", "d3", "Bg4", "Nc3", "Qd7", "Be3",
          "O-O-O"},
         {},
         {},
         ResultNone},
        {"comment written against the moves",
         "e4{good}e5 (e6)d4 *",
         {"e4", "e5", "d4"},
         {},
         {"", "good", "e6"},
         ResultNone},
        {"tabs between moves", "1.\te4\te5\t2.\tNf3 *", {"e4", "e5", "Nf3"}, {}, {}, ResultNone},
        {"rest-of-line comment",
         "1. e4 ; e5 is a move\r\n1... c5 *",
         {"e4", "c5"},
         {},
         {"", " e5 is a move"},
         ResultNone},
        {"escape line", "1. e4\r\n% Nf3 d4\r\n1... e5 *", {"e4", "e5"}, {}, {}, ResultNone},
        {"illegal and unknown tokens skipped",
         "1. e4 Ke3 xyz e5 *",
         {"e4", "e5"},
         {},
         {},
         ResultNone},
        {"no result reads to the end",
         "1. e4 e5\r\n2. Nf3",
         {"e4", "e5", "Nf3"},
         {},
         {},
         ResultNone},
    };
    for (const MovetextCase& c : cases) {
        SCOPED_TRACE(c.name);
        load(Tags + c.text);
        EXPECT_EQ(sans(), c.sans);
        for (int ply = 1; ply <= Game.PlyCount; ++ply)
            EXPECT_EQ(Game.MoveNag[ply], c.nags.empty() ? 0 : c.nags[ply - 1]) << ply;
        for (int ply = 0; ply <= Game.PlyCount; ++ply) {
            const QString expected =
                ply < static_cast<int>(c.comments.size()) ? c.comments[ply] : QString();
            EXPECT_EQ(Game.MoveComment[ply], expected) << ply;
        }
        EXPECT_EQ(Game.GameResult, c.result);
        EXPECT_EQ(Game.TagWhite, "Ann");
    }
}

TEST_F(ReaderTest, TagSection)
{
    load("  [event \"lower\"]\n[Site  \"two spaces\"]\n[Round \"7]\n[WhiteElo \"a\\\"b\"]\n"
         "[Black \"\"]\n[BlackElo \"C:\\\\x\\\"]\n[SetUp \"1\"]\n[Result \"1-0\"]\n");
    EXPECT_EQ(Game.TagEvent, "lower");
    EXPECT_EQ(Game.TagSite, "");
    EXPECT_EQ(Game.TagRound, "7]");
    EXPECT_EQ(Game.TagWhiteElo, "a\"b");
    // An escaped backslash, and a backslash before the closing quote written without escape.
    EXPECT_EQ(Game.TagBlackElo, "C:\\x\\");
    EXPECT_EQ(Game.GameResult, ResultWhiteWins);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_TRUE(Game.AutoEco);

    // The movetext result wins over the tag; "*" as a tag gives no result.
    load("[Result \"1-0\"]\n\n1. f3 e5 2. g4 Qh4# 0-1\n");
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    load("[Result \"*\"]\n\n1. e4 *\n");
    EXPECT_EQ(Game.GameResult, ResultNone);
    load("[Result \"1-0\"]\n\n1. e4 *\n");
    EXPECT_EQ(Game.GameResult, ResultWhiteWins);

    // Opening tags from the file are kept: the moves no longer name the opening.
    load("[ECO \"Z99\"]\n[Opening \"Mine\"]\n\n1. e4 c5 *\n");
    EXPECT_EQ(Game.TagEco, "Z99");
    EXPECT_EQ(Game.TagOpening, "Mine");
    EXPECT_FALSE(Game.AutoEco);
}

TEST_F(ReaderTest, FenTag)
{
    struct Row {
        const char* fen;
        int moveNumber;
        int side;
    };
    const Row rows[] = {
        {"4k3/8/8/8/8/8/4P3/4K3 b - - 0 12", 12, Black},
        {"4k3/8/8/8/8/8/4P3/4K3 b - - 3 12", 1, Black}, // the half-move clock is not 0
    };
    for (const Row& row : rows) {
        load(QByteArray("[FEN \"") + row.fen + "\"]\n\n12... Kd7 13. e4 *\n");
        EXPECT_FALSE(Game.StandardStart);
        EXPECT_EQ(Game.StartFen, row.fen);
        EXPECT_EQ(Game.StartMoveNumber, row.moveNumber);
        EXPECT_EQ(Game.StartSide, row.side);
        EXPECT_EQ(sans(), QStringList({"Kd7", "e4"}));
        EXPECT_EQ(fakeView.moveRows.value(1).trimmed(), "Kd7");
    }
    // A text without both kings cannot be played from: the standard start stays.
    load("[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n\n1. e4 *\n");
    EXPECT_TRUE(Game.StandardStart);
    EXPECT_EQ(sans(), QStringList({"e4"}));
}

TEST_F(ReaderTest, LineEndsAndCharacterSets)
{
    const QByteArray game = "[White \"W\"]|[Black \"B\"]||1. e4 {two|lines} e5|2. Nf3 *|";
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        QByteArray text = game;
        load(text.replace("|", end));
        EXPECT_EQ(sans(), QStringList({"e4", "e5", "Nf3"})) << end.toHex().constData();
        EXPECT_EQ(Game.TagBlack, "B");
        // A comment's line break is kept as the comment box holds it.
        EXPECT_EQ(Game.MoveComment[1], "two\nlines");
    }
    // A blank line inside a comment is kept; a brace ending its line starts a line break.
    load("1. e4 {\r\nfirst\r\n\r\nlast} *");
    EXPECT_EQ(Game.MoveComment[1], "\nfirst\n\nlast");

    load("\xEF\xBB\xBF[White \"M\xC3\xBCller\"]\n[Black \"\xC3\x98stergaard\"]\n\n1. d4 *");
    EXPECT_EQ(Game.TagWhite, QString::fromUtf8("Müller")); // the mark is skipped
    EXPECT_EQ(Game.TagBlack, QString::fromUtf8("Østergaard"));
    EXPECT_EQ(sans(), QStringList({"d4"}));

    load("[White \"M\xFCller\"]\n[Black \"Jos\xE9\"]\n\n1. d4 {tr\xE8s bien} *");
    EXPECT_EQ(Game.TagWhite, QString::fromUtf8("Müller"));
    EXPECT_EQ(Game.TagBlack, QString::fromUtf8("José"));
    EXPECT_EQ(Game.MoveComment[1], QString::fromUtf8("très bien"));
}

TEST_F(ReaderTest, FirstGameOnly)
{
    const QByteArray two = "[White \"First\"]\n\n1. e4 e5 1-0\n\n[White \"Second\"]\n\n1. d4 0-1\n";
    load(two);
    EXPECT_EQ(Game.TagWhite, "First");
    EXPECT_EQ(sans(), QStringList({"e4", "e5"}));
    EXPECT_EQ(Game.GameResult, ResultWhiteWins);

    // Without a result token the next game's tags end the first one; they are not read as moves.
    load("[White \"First\"]\n\n1. e4 e5\n\n[White \"Nf3\"]\n[Black \"d4\"]\n\n1. d4 0-1\n");
    EXPECT_EQ(Game.TagWhite, "First");
    EXPECT_EQ(sans(), QStringList({"e4", "e5"}));
    EXPECT_EQ(Game.GameResult, ResultNone);

    // A tag-like line inside a comment is comment text.
    load("1. e4 {see\n[Event \"x\"]\n} e5 *");
    EXPECT_EQ(sans(), QStringList({"e4", "e5"}));
    EXPECT_EQ(Game.MoveComment[1], "see\n[Event \"x\"]\n");

    // A comment never closed is not stored and swallows the rest.
    load("1. e4 {open\n2. Nf3 Nc6");
    EXPECT_EQ(sans(), QStringList({"e4"}));
    EXPECT_EQ(Game.MoveComment[1], "");
}

TEST_F(ReaderTest, OpenedGameShowsItsStart)
{
    load(Tags + "1. e4 e5 2. Nf3 Nc6 *");
    EXPECT_EQ(Game.CurPly, 0);
    EXPECT_EQ(Game.PlyCount, 4);
    EXPECT_EQ(Game.GameFile, folder.filePath("game.pgn"));
    EXPECT_FALSE(Game.Modified);
    EXPECT_EQ(fakeView.moveRows.size(), 5);
    EXPECT_EQ(fakeView.selectedRow, 0);
    EXPECT_EQ(fakeView.headers[HeaderLabel::Result], "Ann vs Bob");
    EXPECT_TRUE(fake.messages.empty());

    // A file that cannot be opened: the message, a new game, and the path kept.
    Game.GameFile = folder.filePath("missing.pgn");
    LoadGameFile(false);
    EXPECT_EQ(fake.lastMessage(), "Error Open File: " + folder.filePath("missing.pgn"));
    EXPECT_EQ(fake.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.TagWhite, "");
    EXPECT_EQ(Game.GameFile, folder.filePath("missing.pgn"));
}

// PGN as other programs write it, kept as the seeds of the reader's fuzz target: line ends of
// every platform, a byte-order mark, Latin-1 names, wrapped lines, variations, glyphs, escape
// lines, ";" comments, castling with zeros, Chess960 and a broken file. Each first game loads
// with its main line and names, and the index finds every game of the file.
TEST_F(ReaderTest, FilesOtherProgramsWrite)
{
    const QStringList berlin = {"e4",    "e5",   "Nf3", "Nc6",  "Bb5",  "Nf6",  "O-O",
                                "Nxe4",  "d4",   "Nd6", "Bxc6", "dxc6", "dxe5", "Nf5",
                                "Qxd8+", "Kxd8", "Nc3", "Ke8",  "h3",   "h5"};
    const QStringList najdorf = {"e4",  "c5",  "Nf3",   "d6",   "d4",  "cxd4", "Nxd4", "Nf6",
                                 "Nc3", "a6",  "Be3",   "e5",   "Nb3", "Be6",  "f3",   "Be7",
                                 "Qd2", "O-O", "O-O-O", "Nbd7", "g4",  "b5"};
    const QStringList twoKnights = {"e4",  "e5",   "Nf3",  "Nc6",  "Bc4",  "Nf6",  "Ng5",
                                    "d5",  "exd5", "Nxd5", "Nxf7", "Kxf7", "Qf3+", "Ke6",
                                    "Nc3", "Nb4",  "Qe4",  "c6",   "a3",   "Na6",  "d4"};
    const QStringList tartakower = {"d4",   "d5",   "c4",   "e6",   "Nc3", "Nf6", "Bg5",  "Be7",
                                    "e3",   "O-O",  "Nf3",  "h6",   "Bh4", "b6",  "cxd5", "Nxd5",
                                    "Bxe7", "Qxe7", "Nxd5", "exd5", "Rc1", "Be6"};
    const struct {
        const char* file;
        QStringList sans;
        QString white;
        int result;
        std::size_t games;
    } files[] = {
        {"club_crlf.pgn", berlin, "Carter, Ann", ResultDraw, 1},
        {"zero_castling.pgn", najdorf, "anna_k", ResultNone, 1},
        {"escapes_lf.pgn", twoKnights, "Ortiz", ResultWhiteWins, 2},
        {"latin1_names.pgn", tartakower, QString::fromUtf8("Müller, Jürgen"), ResultNone, 1},
        {"bom_utf8.pgn", tartakower, QString::fromUtf8("Müller, Jürgen"), ResultNone, 2},
        {"chess960_fen.pgn",
         {"Nb3", "Nb6", "Nc3", "Nc6", "O-O-O", "O-O-O", "d4", "d5", "e4", "dxe4", "Nxe4"},
         "A",
         ResultNone,
         1},
        {"fen_black_cr.pgn", {"a6", "Ba4", "Nf6", "O-O", "Be7"}, "", ResultNone, 1},
        {"broken.pgn", {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"}, "Kim", ResultNone, 2},
    };
    const QString seeds =
        qEnvironmentVariable("QUORVIN_SOURCE_DIR") + QStringLiteral("/tests/fuzz/corpus_pgn/");
    for (const auto& row : files) {
        SCOPED_TRACE(row.file);
        QFile file(seeds + QLatin1String(row.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        load(bytes);
        EXPECT_EQ(sans(), row.sans);
        EXPECT_EQ(Game.TagWhite, row.white);
        EXPECT_EQ(Game.GameResult, row.result);
        const auto games = IndexGames(bytes);
        ASSERT_TRUE(games);
        EXPECT_EQ(games->size(), row.games);
        EXPECT_EQ(games->front().white, row.white);

        const QLatin1String name(row.file);
        EXPECT_EQ(Game.StandardStart, !name.contains(QLatin1String("fen")));
        if (name == QLatin1String("club_crlf.pgn")) {
            // A variation wrapped over two lines is one comment; a glyph is no annotation.
            EXPECT_EQ(Game.MoveComment[7], "The main line.");
            EXPECT_EQ(Game.MoveComment[8], "4... Be7 5.\nRe1 d6 $10");
            EXPECT_EQ(Game.MoveNag[17], 0);
        }
        if (name == QLatin1String("escapes_lf.pgn")) {
            EXPECT_EQ(Game.TagEvent, "The \"Big\" Open");
            EXPECT_EQ(Game.TagSite, "C:\\Clubs\\Home");
            EXPECT_EQ(Game.MoveComment[8], " the sharpest reply");
            EXPECT_EQ(Game.MoveNag[11], 5);
            EXPECT_EQ(Game.MoveComment[21], "[%clk 0:03:12]");
        }
        if (name == QLatin1String("latin1_names.pgn")) {
            EXPECT_EQ(Game.TagBlack, QString::fromUtf8("Ødegård, José"));
            EXPECT_EQ(Game.MoveComment[22], QString::fromUtf8("Tartakower, très solide"));
        }
        if (name == QLatin1String("broken.pgn")) {
            EXPECT_EQ(Game.TagEvent, "Unfinished");
            EXPECT_EQ(Game.TagBlack, ""); // two spaces before the quote
            EXPECT_EQ(Game.MoveComment[3],
                      "an open comment (with a variation\n2... d6) that goes on");
        }
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReaderTest, ParseTagLine)
{
    QString value = "old";
    EXPECT_TRUE(ParseTagLine(value, "[white \"A\" ] trailing", "WHITE"));
    EXPECT_EQ(value, "A");
    EXPECT_FALSE(ParseTagLine(value, "[WhiteElo \"1\"]", "WHITE"));
    EXPECT_FALSE(ParseTagLine(value, "[White", "WHITE"));
    EXPECT_TRUE(ParseTagLine(value, "[White \"", "WHITE"));
    EXPECT_EQ(value, "");
}

} // namespace

namespace {

// The automatic copy holds the game after every move, and a restart finds it at its last ply
// with no file name; an unreadable copy is kept aside, never written over.
TEST_F(ReaderTest, AutomaticCopyFollowsEveryMoveAndComesBack)
{
    Cfg.AutoSave = true;
    Cfg.Sounds = false;
    const QString copy = AutosavePath();
    for (const char* san : {"e4", "c5", "Nf3"}) {
        ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeTyped, 0)) << san;
        QFile written(copy);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << san;
        EXPECT_TRUE(QString::fromUtf8(written.readAll()).contains(QString::fromLatin1(san))) << san;
    }
    EXPECT_TRUE(fake.messages.empty());

    resetRecord(false);
    Game.GameFile = QStringLiteral("elsewhere.pgn");
    LoadGameFile(true);
    EXPECT_EQ(sans(), (QStringList{"e4", "c5", "Nf3"}));
    EXPECT_EQ(Game.CurPly, Game.PlyCount);
    EXPECT_TRUE(Game.GameFile.isEmpty());

    // Bytes that are no game: the copy goes aside before anything replaces it.
    const QByteArray broken("\xff\xfe garbage [[[ {{{", 18);
    writeFile(QStringLiteral("AUTOSAVE.PGN"), broken);
    ASSERT_TRUE(KeepAutosaveAside());
    EXPECT_FALSE(QFile::exists(copy));
    const QStringList aside =
        QDir(folder.path()).entryList({QStringLiteral("AUTOSAVE-*.PGN")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    QFile kept(folder.filePath(aside.front()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), broken);
}

TEST_F(ReaderTest, AutomaticCopyOfAnInstalledProgramGoesToTheUsersData)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "every folder is writable for root";
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    Cfg.AutoSave = true;
    Cfg.Sounds = false;
    EXPECT_TRUE(AutosavePath().startsWith(data.path())) << AutosavePath().toStdString();
    ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, "e4"), ModeTyped, 0));
    EXPECT_TRUE(QFile::exists(AutosavePath()));
    EXPECT_TRUE(fake.messages.empty());
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
    if (savedData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedData);
}
} // namespace
