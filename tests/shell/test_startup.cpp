#include "shell/startup.h"

#include <gtest/gtest.h>

namespace {

using Kind = CommandLineRequest::Kind;

struct CommandLineCase {
    const char* commandLine;
    Kind kind;
    const char* text;
};

TEST(CommandLine, FormsAndQuotes)
{
    const CommandLineCase cases[] = {
        {"", Kind::Empty, ""},
        {"/S 8/8/8/8/8/8/8/K6k w - -", Kind::Fen, "8/8/8/8/8/8/8/K6k w - -"},
        {"/s 8/8/8/8/8/8/8/K6k w - -", Kind::Fen, "8/8/8/8/8/8/8/K6k w - -"},
        {"-S \"8/8/8/8/8/8/8/K6k b - - 0 1\"", Kind::Fen, "8/8/8/8/8/8/8/K6k b - - 0 1"},
        {"-f /tmp/pos.fen", Kind::PositionFile, "/tmp/pos.fen"},
        {"/F \"/tmp/my positions/a.fen\"", Kind::PositionFile, "/tmp/my positions/a.fen"},
        // Without the space after the letter it is no switch: the whole text is a game path.
        {"/F", Kind::GameFile, "/F"},
        {"/Fgames.pgn", Kind::GameFile, "/Fgames.pgn"},
        {"\"/home/a b/my games.pgn\"", Kind::GameFile, "/home/a b/my games.pgn"},
        {"games.pgn", Kind::GameFile, "games.pgn"},
        {"\"/home/a b/Study.FEN\"", Kind::PositionFile, "/home/a b/Study.FEN"},
        // A lone quote is no pair of quotes.
        {"\"", Kind::GameFile, "\""},
        {"\"\"", Kind::GameFile, ""},
        {"/S ", Kind::Fen, ""},
    };
    for (const CommandLineCase& row : cases) {
        const CommandLineRequest request = ParseCommandLine(QString::fromUtf8(row.commandLine));
        EXPECT_EQ(request.kind, row.kind) << row.commandLine;
        EXPECT_EQ(request.text, QString::fromUtf8(row.text)) << row.commandLine;
    }
}

TEST(CommandLine, ArgumentsAreJoinedBySingleSpaces)
{
    // A quoted path arrives split by the shell into words; joining restores it.
    const QStringList arguments{QStringLiteral("/home/a"), QStringLiteral("b/my"),
                                QStringLiteral("games.pgn")};
    EXPECT_EQ(ParseCommandLine(JoinArguments(arguments)).text,
              QStringLiteral("/home/a b/my games.pgn"));
    EXPECT_EQ(
        ParseCommandLine(JoinArguments({QStringLiteral("-s"), QStringLiteral("8/8/8/8/8/8/8/K6k"),
                                        QStringLiteral("w")}))
            .kind,
        Kind::Fen);
    EXPECT_TRUE(JoinArguments({}).isEmpty());
}

} // namespace
