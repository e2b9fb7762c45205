// Recording moves: refusals, the later-plies question, counters, sounds, every game end, draw
// offers, resignation, opening lookup and starting from a FEN.
#include "core_fixture.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/moveentry.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "files/savegame.h"
#include "play/clockstate.h"
#include "shell/settings.h"
#include "support/test_app.h"

#include <deque>

namespace {

using DoMoveTest = CoreTest;

TEST_F(DoMoveTest, IllegalMovesSoundByMode)
{
    struct Row {
        MoveCode move;
        int mode;
        bool sounds;
    };
    const MoveCode wrongPiece = MakeMove(sq("e7"), sq("e5")); // Black pawn with White to move
    const MoveCode badPawn = MakeMove(sq("e2"), sq("e5"));
    for (const Row& row : {Row{badPawn, ModeQuiet, false}, Row{badPawn, ModeClick, true},
                           Row{wrongPiece, ModeClick, false}, Row{wrongPiece, ModeTyped, true},
                           Row{0, ModeTyped, true}, Row{badPawn, ModeEngine, true}}) {
        fake.soundsPlayed.clear();
        EXPECT_FALSE(DoMove(row.move, row.mode, 0));
        EXPECT_EQ(sounds(), row.sounds ? QStringList{"ILLEGAL"} : QStringList{}) << row.mode;
        EXPECT_EQ(Game.PlyCount, 0);
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(DoMoveTest, MoveAtEarlierPlyAsksBeforeCuttingLaterPlies)
{
    playQuiet({"e4", "e5", "Nf3", "Nc6"});
    Game.MoveComment[3] = "good";
    fakeView.selectedRow = 2; // shows the position after 1...e5
    lstMoveText_Click();
    ASSERT_EQ(Game.CurPly, 2);
    const std::string shown = KessrinBoard2Fen(Game.Board);

    fake.answers = {MsgAnswer::No};
    EXPECT_FALSE(play("Nc3", ModeClick));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              "This will clear all later moves.\n\nDo you want to continue?");
    EXPECT_EQ(fake.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Game.PlyCount, 4);
    EXPECT_EQ(Game.CurPly, 2);
    EXPECT_EQ(KessrinBoard2Fen(Game.Board), shown);
    EXPECT_EQ(fakeView.moveRows.size(), 5);
    EXPECT_EQ(Game.MoveComment[3], "good");

    fake.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(play("Nc3", ModeClick));
    EXPECT_EQ(Game.PlyCount, 3);
    EXPECT_EQ(Game.CurPly, 3);
    EXPECT_EQ(Game.MoveSan[3], "Nc3");
    EXPECT_TRUE(Game.MoveComment[3].isEmpty());
    EXPECT_EQ(Game.EndSide, Black);
    ASSERT_EQ(fakeView.moveRows.size(), 4);
    EXPECT_EQ(fakeView.moveRows[3], "2.Nc3");
}

TEST_F(DoMoveTest, CounterLimits)
{
    struct Row {
        int plyCount;
        int moveNumber;
        int mode;
        bool refused;
    };
    for (const Row& row : {Row{1023, 1, ModeClick, true}, Row{1023, 1, ModeQuiet, true},
                           Row{1022, 1, ModeClick, false}, Row{0, 1000, ModeEngine, true},
                           Row{0, 999, ModeClick, false}}) {
        resetRecord(false);
        fake.messages.clear();
        Game.PlyCount = Game.CurPly = row.plyCount;
        Game.MoveNumber = row.moveNumber;
        Game.EndSide = Game.SideToMove = White;
        EXPECT_EQ(play("e4", row.mode), !row.refused) << row.plyCount << " " << row.moveNumber;
        EXPECT_EQ(Game.PlyCount, row.plyCount + (row.refused ? 0 : 1));
        const bool message = row.refused && row.mode != ModeQuiet;
        ASSERT_EQ(fake.messages.size(), message ? 1u : 0u);
        if (message) {
            EXPECT_EQ(fake.messages[0].text, "Counter limit exceeded.");
            EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
        }
    }
}

TEST_F(DoMoveTest, CounterLimitIsReportedAfterRealPlies)
{
    const char* const shuffle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 0; ply < MaxPly; ++ply)
        ASSERT_TRUE(play(shuffle[ply % 4], ModeQuiet)) << ply;
    ASSERT_EQ(Game.PlyCount, MaxPly);
    fake.messages.clear();
    const QStringList before = sounds();
    EXPECT_FALSE(DoMove(MakeMove(sq("b8"), sq("c6")), ModeTyped, 0)); // Black's legal move
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Counter limit exceeded.");
    EXPECT_EQ(sounds(), before) << "a legal move is not called illegal";
    EXPECT_EQ(Game.PlyCount, MaxPly);
    fake.messages.clear();
    EXPECT_FALSE(DoMove(MakeMove(sq("e8"), sq("e6")), ModeTyped, 0));
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(sounds().size(), before.size() + 1);
    EXPECT_EQ(sounds().last(), "ILLEGAL");
}

TEST_F(DoMoveTest, RecordedMoveChargesTheMoversClock)
{
    Clock.ClockRunning = true;
    Cfg.IncMode = true;
    Cfg.IncTime = 5;
    Clock.TimeLeft = {100, 200};
    fake.clock = 5000;
    ASSERT_TRUE(play("e4", ModeClick));
    EXPECT_EQ(Clock.TimeLeft[White], 105);
    EXPECT_EQ(Clock.TimeLeft[Black], 200);
    EXPECT_EQ(Game.MoveStartTime, 5000);
    ASSERT_TRUE(play("e5", ModeQuiet));
    EXPECT_EQ(Clock.TimeLeft[Black], 205);
    // A refused move charges nothing.
    EXPECT_FALSE(play("Ke3", ModeClick));
    EXPECT_EQ(Clock.TimeLeft[White], 105);
}

TEST_F(DoMoveTest, SoundOfEachKindOfMove)
{
    struct Row {
        const char* fen;
        MoveCode move;
        int mode;
        const char* sound;
    };
    const Row rows[] = {
        {StandardFen, MakeMove(sq("e2"), sq("e4")), ModeClick, "MOVE"},
        {StandardFen, MakeMove(sq("e2"), sq("e4")), ModeEngine, "MOVE2"},
        {"4k3/7p/8/3p4/8/2N5/8/4K3 w - - 0 1", MakeMove(sq("c3"), sq("d5")), ModeTyped, "CAPTURE"},
        // Check with a capture is a check.
        {"3qk3/8/8/8/8/8/8/3RK3 w - - 0 1", MakeMove(sq("d1"), sq("d8")), ModeClick, "CHECK"},
        {"3qk3/8/8/8/8/8/8/3RK3 w - - 0 1", MakeMove(sq("d1"), sq("d8")), ModeEngine, "CHECK2"},
        // A capturing promotion is special, not a capture.
        {"1n2k3/P6p/8/8/8/8/8/4K3 w - - 0 1", MakeMove(sq("a7"), sq("b8"), 3), ModeClick,
         "SPECIAL"},
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", MakeMove(sq("e1"), sq("g1")), ModeEngine, "SPECIAL2"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", MakeMove(sq("e5"), sq("d6")), ModeClick, "SPECIAL"},
        {StandardFen, MakeMove(sq("e2"), sq("e4")), ModeQuiet, nullptr},
    };
    for (const Row& row : rows) {
        StartFromFen(QString::fromLatin1(row.fen), false);
        fake.soundsPlayed.clear();
        ASSERT_TRUE(DoMove(row.move, row.mode, 0)) << row.fen;
        EXPECT_EQ(sounds(), row.sound ? QStringList{row.sound} : QStringList{}) << row.fen;
    }
}

TEST_F(DoMoveTest, EveryGameEndIsAnnounced)
{
    struct Row {
        const char* fen;
        const char* before; // played quietly first, separated by blanks
        const char* last;
        bool engineWhite, engineBlack;
        const char* text;
        const char* picture;
        const char* sound;
        int result;
    };
    const char* fools = "f3 e5 g4";
    const char* mateInOne = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1";
    const Row rows[] = {
        {StandardFen, fools, "Qh4", false, false, "Black wins.", "WIN.GIF", "WIN", 3},
        {StandardFen, fools, "Qh4", false, true, "Black wins.", "LOSS.GIF", "LOSS", 3},
        {StandardFen, fools, "Qh4", true, false, "Black wins.", "WIN.GIF", "WIN", 3},
        {mateInOne, "", "Ra8", false, true, "White wins.", "WIN.GIF", "WIN", 1},
        {mateInOne, "", "Ra8", true, false, "White wins.", "LOSS.GIF", "LOSS", 1},
        {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", "", "Qf7", false, false, "Draw by stalemate.",
         "DRAW.GIF", "DRAW", 2},
        {StandardFen, "Nf3 Nf6 Ng1 Ng8 Nf3 Nf6 Ng1", "Ng8", false, false,
         "Draw by threefold repetition.", "DRAW.GIF", "DRAW", 2},
        {"k7/8/8/8/8/8/8/KR6 w - - 99 60", "", "Rb2", false, false, "Draw by the fifty-move rule.",
         "DRAW.GIF", "DRAW", 2},
        {"k7/8/8/8/8/8/1r6/K7 w - - 0 1", "", "Kxb2", false, false,
         "Draw by insufficient material.", "DRAW.GIF", "DRAW", 2},
    };
    for (const Row& row : rows) {
        StartFromFen(QString::fromLatin1(row.fen), false);
        Engine.EngineWhite = row.engineWhite;
        Engine.EngineBlack = row.engineBlack;
        for (const QString& san : QString::fromLatin1(row.before).split(' ', Qt::SkipEmptyParts))
            ASSERT_TRUE(play(san.toLatin1().constData(), ModeQuiet)) << san.toStdString();
        fake.messages.clear();
        fake.soundsPlayed.clear();
        ASSERT_TRUE(play(row.last, ModeClick)) << row.text;
        EXPECT_EQ(Game.GameResult, row.result) << row.text;
        ASSERT_EQ(fake.messages.size(), 1u) << row.text;
        EXPECT_EQ(fake.messages[0].text, row.text);
        EXPECT_EQ(fake.messages[0].icon, MsgIcon::Picture);
        EXPECT_EQ(fake.messages[0].picture, row.picture) << row.text;
        EXPECT_EQ(fake.messages[0].buttons, MsgButtons::Ok);
        ASSERT_FALSE(sounds().isEmpty());
        EXPECT_EQ(sounds().back(), row.sound) << row.text;
        if (row.result != ResultDraw) {
            const int mated = Game.SideToMove == White ? WhiteMatedImage : BlackMatedImage;
            ASSERT_GT(Game.MatedKingSquare, 0);
            EXPECT_EQ(pictureOf(Game.MatedKingSquare), mated) << row.text;
        }
    }
}

TEST_F(DoMoveTest, QuietMateSetsResultWithoutAnnouncing)
{
    playQuiet({"f3", "e5", "g4", "Qh4"});
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    EXPECT_EQ(Game.MoveSan[4], "Qh4#");
    EXPECT_EQ(Game.MatedKingSquare, 0);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(fake.soundsPlayed.empty());
}

TEST_F(DoMoveTest, AnotherGameStartsUnlessTheSaveQuestionIsCancelled)
{
    Cfg.TryAgain = true;
    Cfg.ShowNew = false;
    Cfg.PromptSave = true;
    struct Row {
        std::deque<MsgAnswer> answers; // another game?, then save the changes?
        bool newGame;
    };
    const Row rows[] = {
        {{MsgAnswer::Yes, MsgAnswer::No}, true},
        {{MsgAnswer::Yes, MsgAnswer::Cancel}, false},
        {{MsgAnswer::No}, false},
    };
    for (const Row& row : rows) {
        resetRecord(false);
        ResetMoveList();
        playQuiet({"f3", "e5", "g4"});
        ClearModified(); // as just saved: the mating move alone changes the game
        fake.answers = row.answers;
        fake.messages.clear();
        ClickSquare(sq("d8"));
        ClickSquare(sq("h4"));
        ASSERT_EQ(fake.messages.size(), row.answers.size());
        EXPECT_EQ(fake.messages[0].text, "Black wins.\n\nStart another game?");
        EXPECT_EQ(fake.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(fake.messages[0].picture, "WIN.GIF");
        // The new game is unchanged; the mate itself marks the old one changed.
        EXPECT_EQ(Game.Modified, !row.newGame);
        EXPECT_EQ(Game.PlyCount, row.newGame ? 0 : 4);
        EXPECT_EQ(Game.GameResult, row.newGame ? ResultNone : ResultBlackWins);
        EXPECT_EQ(fakeView.moveRows.size(), row.newGame ? 1 : 5);
    }
}

TEST_F(DoMoveTest, PlayedMovesMarkTheGameChangedButQuietOnesDoNot)
{
    for (const int mode : {ModeClick, ModeTyped, ModeEngine}) {
        resetRecord(false);
        ResetMoveList();
        ClearModified();
        ASSERT_TRUE(play("e4", mode));
        EXPECT_TRUE(Game.Modified) << mode;
    }
    ClearModified();
    playQuiet({"e5"});
    EXPECT_FALSE(Game.Modified);
}

TEST_F(DoMoveTest, ResignationAndAgreedDraw)
{
    struct Row {
        void (*end)();
        int endSide;
        MsgAnswer answer;
        const char* text; // nullptr: no game end
        const char* picture;
        int result;
    };
    const Row rows[] = {
        {mnMoveResign_Click, White, MsgAnswer::Yes, "White resigns.", "LOSS.GIF", 3},
        {mnMoveResign_Click, Black, MsgAnswer::Yes, "Black resigns.", "LOSS.GIF", 1},
        {mnMoveResign_Click, White, MsgAnswer::No, nullptr, nullptr, 0},
        {SideResigns, Black, MsgAnswer::Ok, "Black resigns.", "WIN.GIF", 1},
        {DrawAgreed, White, MsgAnswer::Ok, "Draw agreed.", "DRAW.GIF", 2},
    };
    for (const Row& row : rows) {
        resetRecord(false);
        Game.EndSide = row.endSide;
        fake.messages.clear();
        fake.answers = {row.answer};
        row.end();
        EXPECT_EQ(Game.GameResult, row.result);
        if (row.end == mnMoveResign_Click) {
            EXPECT_EQ(fake.messages.front().text, "Do you really want to resign?");
        }
        if (!row.text)
            continue;
        EXPECT_EQ(fake.lastMessage(), row.text);
        EXPECT_EQ(fake.messages.back().picture, row.picture) << row.text;
    }
}

TEST_F(DoMoveTest, FinishGameStopsClockAndIdlesAPlayingEngine)
{
    Clock.ClockRunning = true;
    Engine.EngineState = 5;
    Engine.EngineBlack = true;
    DrawAgreed();
    EXPECT_FALSE(Clock.ClockRunning);
    EXPECT_EQ(Engine.EngineState, 2);
}

TEST_F(DoMoveTest, EngineOffersDrawOnEveryFifthMove)
{
    const QString offer = "White offers a draw.\n\nTo accept the draw, click menu Computer -> "
                          "Offer / Accept a Draw.\nTo decline the draw, just ignore it.";
    struct Row {
        int moveNumber;
        bool engineBlack; // the engine is to move: no message
        bool offered;
    };
    for (const Row& row :
         {Row{10, false, true}, Row{5, true, true}, Row{12, false, false}, Row{1, false, false}}) {
        Engine.DrawOffer = false;
        fake.messages.clear();
        Engine.EngineWhite = true;
        Engine.EngineBlack = row.engineBlack;
        Game.MoveNumber = row.moveNumber;
        Game.EndSide = Black;
        OfferDraw();
        EXPECT_EQ(Engine.DrawOffer, row.offered) << row.moveNumber;
        EXPECT_EQ(fake.lastMessage(), row.offered && !row.engineBlack ? offer : QString());
    }
}

TEST_F(DoMoveTest, UsersDrawOfferGoesWithTheNextMove)
{
    const auto ticked = [this] { return fakeView.command("mnMoveDraw").checked; };
    mnMoveDraw_Click();
    EXPECT_TRUE(ticked());
    EXPECT_TRUE(fake.lastMessage().startsWith("Make a move, and the computer will accept"));
    mnMoveDraw_Click();
    EXPECT_FALSE(ticked());
    EXPECT_EQ(fake.lastMessage(), "Draw offer canceled.");

    mnMoveDraw_Click();
    ASSERT_TRUE(play("e4", ModeClick));
    EXPECT_FALSE(ticked());
    EXPECT_TRUE(Engine.DrawOffer);

    // The engine's offer is accepted from the same item.
    mnMoveDraw_Click();
    EXPECT_EQ(Game.GameResult, ResultDraw);
    EXPECT_EQ(fake.lastMessage(), "Draw agreed.");
}

TEST_F(DoMoveTest, EngineThinkingOnTheUsersTimeFollowsTheMove)
{
    struct Row {
        const char* name;
        int state;
        MoveCode ponder;
        int after;
        int plies; // the engine's stored reply is played at once when it guessed the move
    };
    const MoveCode e4 = MakeMove(sq("e2"), sq("e4"));
    const MoveCode d4 = MakeMove(sq("d2"), sq("d4"));
    // Without an engine process a stopped search gets no answer and leaves the engine idle.
    const Row rows[] = {
        {"ponder hit", 7, e4, 6, 1},           {"ponder miss", 7, d4, 1, 1},
        {"analysis stopped", 5, e4, 1, 1},     {"stored reply played", 3, e4, 1, 2},
        {"stored reply dropped", 3, d4, 1, 1}, {"idle", 1, e4, 1, 1},
    };
    for (const Row& row : rows) {
        resetRecord(false);
        Engine.EngineState = row.state;
        Engine.PonderMove = row.ponder;
        Engine.StoredBest = MakeMove(sq("e7"), sq("e5"));
        Engine.StoredPonder = 0;
        fake.soundsPlayed.clear();
        ASSERT_TRUE(DoMove(e4, ModeClick, 0)) << row.name;
        EXPECT_EQ(Engine.EngineState, row.after) << row.name;
        EXPECT_EQ(Game.PlyCount, row.plies) << row.name;
        if (row.plies == 2) {
            EXPECT_EQ(Game.MoveSan[2], "e5");
            EXPECT_EQ(sounds(), (QStringList{"MOVE", "MOVE2"}));
        }
    }
}

TEST_F(DoMoveTest, OpeningLookedUpBelowSixtyFourPlies)
{
    ASSERT_GT(KessrinLoadEco((testProgramFolder() + "ECO.TXT").toStdString(), 0), 0);
    playQuiet({"e4", "c5"});
    EXPECT_EQ(Game.TagEco, "B20");
    const QString opening = Game.TagOpening;
    EXPECT_FALSE(opening.isEmpty());
    playQuiet({"Ke2"}); // leaves the table: the deepest opening found stays
    EXPECT_EQ(Game.TagEco, "B20");

    // Only the first plies reach the table (the list ends at the first 0 code), so the count
    // alone decides whether the lookup happens.
    for (const auto& [plies, looked] : {std::pair{63, true}, std::pair{64, false}}) {
        resetRecord(false);
        Game.Moves.fill(0);
        Game.Moves[1] = MakeMove(sq("e2"), sq("e4"));
        Game.Moves[2] = MakeMove(sq("c7"), sq("c5"));
        Game.PlyCount = plies;
        ClassifyOpening();
        EXPECT_EQ(Game.TagEco, looked ? "B20" : "") << plies;
    }
    resetRecord(false);
    Game.AutoEco = false;
    playQuiet({"e4", "c5"});
    EXPECT_EQ(Game.TagEco, "");
    KessrinUnloadEco();
}

TEST_F(DoMoveTest, StartFromFenMoveNumber)
{
    struct Row {
        const char* fen;
        int moveNumber;
    };
    const Row rows[] = {
        {"4k3/8/8/8/8/8/8/4K3 b - - 0 45", 45},     {"4k3/8/8/8/8/8/8/4K3 b - - 3 45", 1},
        {"4k3/8/8/8/8/8/8/4K3 b -\r\n - 0 45", 45}, {"4k3/8/8/8/8/8/8/4K3 w - - 0 1500", 999},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 x", 1},       {"4k3/8/8/8/8/8/8/4K3 w - -", 1},
    };
    for (const Row& row : rows) {
        StartFromFen(QString::fromLatin1(row.fen), false);
        EXPECT_EQ(Game.MoveNumber, row.moveNumber) << row.fen;
        EXPECT_EQ(Game.StartMoveNumber, row.moveNumber);
        EXPECT_FALSE(Game.StandardStart);
        EXPECT_FALSE(Game.StartFen.contains('\n'));
        EXPECT_EQ(Game.SideToMove, Game.Board.side);
        EXPECT_EQ(Game.StartSide, Game.SideToMove);
        EXPECT_EQ(Game.EndSide, Game.SideToMove);
    }
    // A Black move 45 is listed under the number's width.
    StartFromFen("4k3/8/8/8/8/8/8/4K3 b - - 0 45", false);
    ASSERT_TRUE(play("Kd7", ModeClick));
    EXPECT_EQ(fakeView.moveRows[1], "   Kd7");
    EXPECT_EQ(Game.MoveNumber, 46);

    Game.GameFile = "kept.pgn";
    EXPECT_FALSE(StartFromFen("", false));
    EXPECT_EQ(Game.GameFile, "kept.pgn");
}

TEST_F(DoMoveTest, StartFromFenReplacesTheWholeGame)
{
    playQuiet({"e4", "e5", "Nf3"});
    ShowMoveList(false);
    Game.TagWhite = "Someone";
    Game.MoveComment[0] = "start";
    Game.MoveComment[2] = "reply";
    Game.GameResult = ResultDraw;
    Game.Flipped = true;
    Game.GameFile = "old.pgn";
    SetModified();
    ASSERT_TRUE(enabled("mnFileSave"));

    ASSERT_TRUE(StartFromFen("4k3/8/8/8/8/8/4P3/4K3 w - - 0 30", false));
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.CurPly, 0);
    EXPECT_EQ(Game.TagWhite, "");
    EXPECT_EQ(Game.GameResult, ResultNone);
    EXPECT_TRUE(Game.MoveComment[0].isEmpty());
    EXPECT_TRUE(Game.MoveComment[2].isEmpty());
    EXPECT_FALSE(Game.Flipped);
    EXPECT_FALSE(Game.Modified);
    EXPECT_FALSE(enabled("mnFileSave"));
    EXPECT_EQ(Game.GameFile, "");
    EXPECT_EQ(Game.LastMoveShown, 0);
    ASSERT_EQ(fakeView.moveRows.size(), 1);
    EXPECT_EQ(fakeView.moveRows[0], "==Start==");
    EXPECT_EQ(pictureOf(sq("e4")), 0);
    EXPECT_NE(pictureOf(sq("e2")), 0);
    ASSERT_TRUE(play("e4", ModeClick));
    EXPECT_EQ(fakeView.moveRows[1], "30.e4");
}

TEST_F(DoMoveTest, TextThatIsNoPositionKeepsTheGame)
{
    for (const char* text : {"hello", "8/8/8/8/8/8/8/8 w - - 0 1", "4k3/8/8/8/8/8/8/4K2K w - - 0 1",
                             "rnbqqbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"}) {
        resetRecord(false);
        ResetMoveList();
        playQuiet({"e4"});
        ShowMoveList(false);
        SetModified();
        Game.GameFile = "kept.pgn";
        fake.messages.clear();
        EXPECT_FALSE(StartFromFen(QString::fromLatin1(text), false)) << text;
        ASSERT_EQ(fake.messages.size(), 1u) << text;
        EXPECT_TRUE(fake.messages[0].text.startsWith("This text is not a chess position:"));
        EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(Game.PlyCount, 1);
        EXPECT_TRUE(Game.StandardStart);
        EXPECT_TRUE(Game.Modified);
        EXPECT_EQ(Game.GameFile, "kept.pgn");
        EXPECT_EQ(fakeView.moveRows.size(), 2);
        EXPECT_TRUE(play("e5", ModeClick)) << text;
    }
}

} // namespace
