// Opening table: lookups in the generated ECO.TXT, transpositions, limits and damaged files.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "eco.h"
#include "kessrin.h"

namespace {

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The program folder from the test environment, else <build>/app/ beside <build>/tests/.
std::string programEcoPath()
{
    if (const char* folder = std::getenv("QUORVIN_PROGRAM_FOLDER"); folder && *folder)
        return std::string(folder) + "ECO.TXT";
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path().parent_path() / "app" / "ECO.TXT").string();
}

// SAN moves from the start position as a 0-terminated move list; fails the test on a bad SAN.
std::vector<MoveCode> line(const std::vector<std::string>& sans)
{
    RulesBoard board;
    KessrinFen2Board(board, StartFen);
    std::vector<MoveCode> moves;
    for (const std::string& san : sans) {
        const MoveCode move = KessrinAlg2Move(board, san);
        int flags = 0;
        EXPECT_NE(move, 0) << san;
        if (move == 0 || KessrinTryMove(board, flags, move) == 0)
            break;
        moves.push_back(move);
    }
    moves.push_back(0);
    return moves;
}

std::string lookup(const std::vector<std::string>& sans)
{
    return KessrinSearchEco(line(sans).data()).value_or("(none)");
}

class EcoTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        KessrinInit();
        ASSERT_GT(KessrinLoadEco(programEcoPath(), 2048), 5000) << programEcoPath();
    }
    void TearDown() override { KessrinUnloadEco(); }
};

struct Known {
    std::vector<std::string> moves;
    const char* entry;
};

TEST_F(EcoTable, KnownOpeningsAndTranspositions)
{
    const Known rows[] = {
        {{}, "A00|Start position||"},
        {{"e4", "e6"}, "C00|French||"},
        {{"e4", "c5", "Nf3", "d6", "d4", "cxd4", "Nxd4", "Nf6", "Nc3", "a6"},
         "B90|Sicilian|Najdorf|"},
        {{"e4", "c5", "Nf3", "d6", "d4", "cxd4", "Nxd4", "Nf6", "Nc3", "a6", "a4", "e5"},
         "B90|Sicilian|Najdorf|6.a4 e5"},
        {{"d4", "d5", "c4", "e6"}, "D30|Queen's Gambit Declined (QGD)||"},
        // Same position by another move order.
        {{"c4", "e6", "d4", "d5"}, "D30|Queen's Gambit Declined (QGD)||"},
        {{"Nf3", "c5", "e4"}, "B27|Sicilian|2.Nf3|"},
        // The last move is a double step with no en-passant reply: same entry as 3...Nf6.
        {{"d4", "Nf6", "c4", "e6", "Nc3", "d5"}, "D35|QGD|3.Nc3 Nf6|"},
        {{"d4", "d5", "c4", "e6", "Nc3", "Nf6"}, "D35|QGD|3.Nc3 Nf6|"},
    };
    for (const Known& row : rows)
        EXPECT_EQ(lookup(row.moves), row.entry) << ::testing::PrintToString(row.moves);
}

TEST_F(EcoTable, UnknownPositionOrIllegalMoveGivesNothing)
{
    EXPECT_FALSE(KessrinSearchEco(line({"a4", "h5", "Ra3", "Rh6", "Rg3", "Rg6"}).data()));
    const MoveCode illegal[] = {CoordToMove("e2e5"), 0};
    EXPECT_FALSE(KessrinSearchEco(illegal));
    const MoveCode illegalLater[] = {CoordToMove("e2e4"), CoordToMove("e2e4"), 0};
    EXPECT_FALSE(KessrinSearchEco(illegalLater));
}

TEST_F(EcoTable, OnlySixtyThreeMovesArePlayed)
{
    // 60 plies of knight shuffling return to the start, then 1.e4 c5 2.Nf3 makes ply 63.
    std::vector<std::string> sans;
    for (int i = 0; i < 15; ++i)
        sans.insert(sans.end(), {"Nf3", "Nf6", "Ng1", "Ng8"});
    sans.insert(sans.end(), {"e4", "c5", "Nf3"});
    std::vector<MoveCode> moves = line(sans);
    ASSERT_EQ(moves.size(), 64u);

    moves.back() = CoordToMove("a1a8"); // an illegal 64th move is never tried
    moves.push_back(0);
    EXPECT_EQ(KessrinSearchEco(moves.data()).value_or("(none)"), "B27|Sicilian|2.Nf3|");

    moves[63] = CoordToMove("d7d6"); // nor is a legal one
    EXPECT_EQ(KessrinSearchEco(moves.data()).value_or("(none)"), "B27|Sicilian|2.Nf3|");
}

TEST(EcoFile, MissingOrDamagedFileNeverBreaksTheTable)
{
    KessrinInit();
    EXPECT_EQ(KessrinLoadEco("/nonexistent/ECO.TXT", 2048), 0);
    const MoveCode none[] = {0};
    EXPECT_FALSE(KessrinSearchEco(none));

    RulesBoard board;
    KessrinFen2Board(board, StartFen);
    const std::string start = EcoPositionKey(board);
    int flags = 0;
    ASSERT_NE(KessrinTryMove(board, flags, CoordToMove("e2e4")), 0);
    const std::string afterE4 = EcoPositionKey(board);

    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("eco_test_" + std::to_string(::getpid()));
    {
        std::ofstream out(path, std::ios::binary);
        out << "# comment\n\n"
            << "no tab at all\n"
            << start << "\tZ00|bad code||\n"
            << start << "\tA00|three|fields\n"
            << start << "\tA00|five|fields|||\n"
            << "rnbqkbnr w KQkq\tA00|short key||\n"
            << "\tA00|empty key||\n"
            << start << "\tA00|Start|| \r\n"
            << afterE4 << "\tB00|King's pawn||\n"
            << afterE4 << "\tC99|duplicate loses||\n"
            << afterE4.substr(0, 20); // cut off mid-line, no newline
    }
    EXPECT_EQ(KessrinLoadEco(path.string(), 0), 2);
    EXPECT_EQ(KessrinSearchEco(none).value_or("(none)"), "A00|Start|| ");
    const MoveCode e4[] = {CoordToMove("e2e4"), 0};
    EXPECT_EQ(KessrinSearchEco(e4).value_or("(none)"), "B00|King's pawn||");

    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::string garbage("\0\xff\t|||\n\t\t\n####", 14);
        out << garbage;
    }
    EXPECT_EQ(KessrinLoadEco(path.string(), -5), 0);
    EXPECT_FALSE(KessrinSearchEco(e4));

    KessrinUnloadEco();
    EXPECT_FALSE(KessrinSearchEco(none));
    std::filesystem::remove(path);
}

} // namespace
