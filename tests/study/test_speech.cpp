// The spoken texts of moves, files, ranks and the position, the Read Move announcement through
// the move list, and blindfold play against the engine by typing moves and listening.
#include "support/game_fixture.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/moveentry.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "kessrin.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "shell/settings.h"
#include "study/speech.h"

namespace {

class SpeechTest : public GameTest {
protected:
    std::string lastSpoken() const
    {
        return fake.spoken.empty() ? std::string() : fake.spoken.back().toStdString();
    }
    void typeMove(const char* san)
    {
        shown.typed = QString::fromLatin1(san);
        txtMove_KeyPress(13);
    }
};

TEST_F(SpeechTest, SpokenMoveSpellsPiecesPausesAndSigns)
{
    const std::pair<const char*, const char*> rows[] = {
        {"e4", "e4"},
        {"Nf3", "Knight f3"},
        {"Nbd7", "Knight b, d7"},
        {"Rfe1", "Rook f, e1"},
        {"exd5", "e,  takes d5"},
        {"Kxe2", "King  takes e2"},
        {"O-O", "Kingside Castle"},
        {"O-O-O+", "Queenside Castle, checks"},
        {"e8=Q#", "e8, promotes to Queen , checkmates"},
        {"bxa8=N+", "b,  takes a8, promotes to Knight , checks"},
        // Only the first file letter is looked at; a rank digit after it needs no pause.
        {"Qh4xe1", "Queen h4 takes e1"},
        {"R1e2", "Rook 1e2"},
        {"", ""},
    };
    for (const auto& [san, spoken] : rows)
        EXPECT_EQ(SpokenMove(QString::fromLatin1(san)), QString::fromLatin1(spoken)) << san;
}

TEST_F(SpeechTest, ReadPositionNamesBothSidesBottomFirst)
{
    const QString white = QStringLiteral(
        "White Pieces, King e1, Queen d1, Rook a1, h1, Bishop c1, f1, Knight b1, g1, "
        "Pawn a2, b2, c2, d2, e2, f2, g2, h2, ");
    const QString black = QStringLiteral(
        "Black Pieces, King e8, Queen d8, Rook a8, h8, Bishop c8, f8, Knight b8, g8, "
        "Pawn a7, b7, c7, d7, e7, f7, g7, h7, ");
    ReadPosition();
    EXPECT_EQ(lastSpoken(), (white + black + QStringLiteral("White to move.")).toStdString());

    // Flipped, Black is at the bottom and the squares come in the rotated scan order.
    playQuiet({"e4"});
    Game.Flipped = true;
    ReadPosition();
    EXPECT_EQ(lastSpoken(),
              std::string("Black Pieces, King e8, Queen d8, Rook h8, a8, Bishop f8, c8, "
                          "Knight g8, b8, Pawn h7, g7, f7, e7, d7, c7, b7, a7, "
                          "White Pieces, King e1, Queen d1, Rook h1, a1, Bishop f1, c1, "
                          "Knight g1, b1, Pawn h2, g2, f2, d2, c2, b2, a2, e4, "
                          "Black to move."));
}

TEST_F(SpeechTest, FilesAndRanksReadFromTheUsersSide)
{
    ASSERT_TRUE(StartFromFen(QStringLiteral("4k3/8/8/8/8/8/4P3/R3K2R b KQ - 0 30"), true));
    struct Row {
        bool flipped;
        void (*read)(int);
        int index;
        const char* spoken;
    } rows[] = {
        {false, mnQuorvinReadFile_Click, 0, "File a, White Rook a1."},
        {false, mnQuorvinReadFile_Click, 4, "File e, White King e1, White Pawn e2, Black King e8."},
        {false, mnQuorvinReadFile_Click, 1, "File b, No pieces."},
        {false, mnQuorvinReadRank_Click, 7, "Rank 1, White Rook h1, White King e1, White Rook a1."},
        {false, mnQuorvinReadRank_Click, 0, "Rank 8, Black King e8."},
        {false, mnQuorvinReadRank_Click, 3, "Rank 5, No pieces."},
        // Rotated, the leftmost file is h, read from h8 nearest the user to h1.
        {true, mnQuorvinReadFile_Click, 0, "File h, White Rook h1."},
        {true, mnQuorvinReadFile_Click, 3, "File e, Black King e8, White Pawn e2, White King e1."},
        {true, mnQuorvinReadRank_Click, 0, "Rank 1, White Rook a1, White King e1, White Rook h1."},
    };
    for (const Row& row : rows) {
        Game.Flipped = row.flipped;
        row.read(row.index);
        EXPECT_EQ(lastSpoken(), row.spoken) << row.index << (row.flipped ? " flipped" : "");
    }
    const std::size_t said = fake.spoken.size();
    mnQuorvinReadFile_Click(8);
    mnQuorvinReadRank_Click(-1);
    EXPECT_EQ(fake.spoken.size(), said);
    mnQuorvinStopRead_Click();
    EXPECT_EQ(lastSpoken(), "");
}

TEST_F(SpeechTest, ReadMoveAnnouncesEachShownPly)
{
    ASSERT_TRUE(StartFromFen(
        QStringLiteral("rnbqkbnr/pppp1ppp/4p3/3P4/8/8/PPP1PPPP/RNBQKBNR w KQkq - 0 12"), true));
    Game.MoveComment[0] = QStringLiteral("A French structure.");
    playQuiet({"Nf3", "exd5"});
    Game.MoveComment[2] = QStringLiteral("Recaptures.");
    fake.spoken.clear();

    // Off: moving through the game says nothing until Read Move is asked for.
    mnMoveBack_Click();
    EXPECT_TRUE(fake.spoken.empty());
    mnQuorvinReadMove_Click();
    EXPECT_EQ(lastSpoken(), std::string("12, White, Knight f3. "));

    Cfg.ReadMove = true;
    mnMoveForward_Click();
    EXPECT_EQ(lastSpoken(), std::string("Black, e,  takes d5. \nRecaptures."));
    mnMoveStart_Click();
    EXPECT_EQ(lastSpoken(), std::string("A French structure."));
    // Without a start comment the start position silences the voice.
    Game.MoveComment[0].clear();
    fake.voiceSpeaks = true;
    mnMoveForward_Click();
    EXPECT_TRUE(fake.speaking);
    mnMoveBack_Click();
    EXPECT_EQ(lastSpoken(), "");
    EXPECT_FALSE(fake.speaking);
}

TEST_F(SpeechTest, DemonstrationWaitsForEachReading)
{
    playQuiet({"e4", "e5", "Nf3"});
    mnMoveStart_Click();
    Cfg.ReadMove = true;
    Cfg.PlayIntv = 0;
    fake.voiceSpeaks = true;
    fake.spoken.clear();
    Game.MoveStartTime = fake.clock - 1;
    Clock.DemoRunning = true;
    for (int ply = 1; ply <= 3; ++ply) {
        for (int tick = 0; tick < 50; ++tick)
            ClockTick();
        EXPECT_EQ(Game.CurPly, ply);
        EXPECT_EQ(fake.spoken.size(), static_cast<std::size_t>(ply));
        // The reading ends; the next move follows.
        fake.speaking = false;
    }
    EXPECT_EQ(fake.spoken,
              (std::vector<QString>{QStringLiteral("1, White, e4. "), QStringLiteral("Black, e5. "),
                                    QStringLiteral("2, White, Knight f3. ")}));
}

TEST_F(SpeechTest, BlindfoldGameByTypingAndListening)
{
    Cfg.Blindfold = true;
    Cfg.ReadMove = true;
    fake.voiceSpeaks = true;
    loadEngine();
    Engine.EngineBlack = true;
    RedrawBoard();

    typeMove("e4");
    EXPECT_EQ(lastSpoken(), std::string("1, White, e4. "));
    // The engine does not start while its opponent's move is still being read.
    forgetSent();
    ClockTick();
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_TRUE(sentLines().isEmpty());
    fake.speaking = false;
    ClockTick();
    EXPECT_EQ(Engine.EngineState, 6);
    EXPECT_TRUE(sentLines().filter(QStringLiteral("go")).size() == 1)
        << sentLines().join('|').toStdString();

    // Its reply is read the same way; the board still shows no piece.
    Engine.EngineState = 1;
    ASSERT_TRUE(DoMove(ReadTypedMove(Game.Board, QStringLiteral("e5")), ModeEngine, 0));
    EXPECT_EQ(lastSpoken(), std::string("Black, e5. "));
    // Every square shows the empty picture, the last move's two in their highlighted version.
    for (int picture : shown.squares)
        EXPECT_EQ(picture % 13, 0) << picture;
    mnQuorvinReadFile_Click(4);
    EXPECT_EQ(lastSpoken(),
              std::string("File e, White King e1, White Pawn e4, Black Pawn e5, Black King e8."));
}

} // namespace
