#include "play_fixture_game.h"

#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "files/savegame.h"
#include "gui/frmmain.h"
#include "gui/frmnewgame.h"
#include "play/chess960.h"
#include "play/clockstate.h"
#include "play/gamecontrol.h"
#include "play/sidecommands.h"
#include "shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace {

const QString Standard = QString::fromLatin1(StandardFen);

// The side the computer plays after a new game: 'W', 'B', '-' (neither) or '2' (both).
char sides()
{
    return Engine.EngineWhite ? (Engine.EngineBlack ? '2' : 'W') : (Engine.EngineBlack ? 'B' : '-');
}

TEST_F(GameTest, AlternationSwapsColoursOverSuccessiveGamesWithAndWithoutTheDialog)
{
    loadEngine();
    Cfg.EnginePlay = RoleAlternation;
    // 'n': a new game without the dialog; 'd': through the dialog with its preselected colour.
    const struct {
        char how;
        char computer;
    } games[] = {{'n', 'B'}, {'n', 'W'}, {'d', 'B'}, {'d', 'W'},
                 {'n', 'B'}, {'d', 'W'}, {'n', 'B'}};
    int number = 0;
    for (const auto& game : games) {
        ++number;
        if (game.how == 'n') {
            AskNewGame();
        } else {
            frmNewGame dialog(form.get());
            dialog.Form_Load();
            dialog.btnConfirm_Click();
        }
        EXPECT_EQ(sides(), game.computer) << "game " << number;
        EXPECT_EQ(ticked("mnEngineWhite"), Engine.EngineWhite) << number;
        EXPECT_EQ(ticked("mnEngineBlack"), Engine.EngineBlack) << number;
        // The human sits at the bottom.
        EXPECT_EQ(Game.Flipped, Engine.EngineWhite) << number;
    }
}

TEST_F(GameTest, EachRoleGivesItsSides)
{
    loadEngine();
    fake.randomAnswers = {0, 1};
    const struct {
        int role;
        char computer;
    } rows[] = {{RoleNoComputer, '-'}, {RoleComputerWhite, 'W'}, {RoleComputerBlack, 'B'},
                {RoleRandom, 'W'},     {RoleRandom, 'B'},        {RoleNoComputer, '-'}};
    for (const auto& row : rows) {
        AssignSides(row.role);
        EXPECT_EQ(sides(), row.computer) << row.role;
    }
}

TEST_F(GameTest, NoComputerLeavesTicksOffNamesUnsetAndClocksStopped)
{
    loadEngine();
    Cfg.Depth = 0; // a time control, which would start the clocks of a game against the engine
    Cfg.EnginePlay = RoleNoComputer;
    AskNewGame();
    EXPECT_EQ(sides(), '-');
    EXPECT_FALSE(ticked("mnEngineWhite"));
    EXPECT_FALSE(ticked("mnEngineBlack"));
    EXPECT_TRUE(Game.TagWhite.isEmpty());
    EXPECT_TRUE(Game.TagBlack.isEmpty());
    EXPECT_FALSE(Clock.ClockRunning);
    EXPECT_FALSE(ticked("mnEngineLevel"));
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("NEWGAME")});

    Cfg.EnginePlay = RoleComputerBlack;
    AskNewGame();
    EXPECT_TRUE(Clock.ClockRunning);
    EXPECT_TRUE(ticked("mnEngineLevel"));
}

TEST_F(GameTest, WithoutAnEngineANewGameOnlySoundsAndKeepsTheSides)
{
    Engine.EngineBlack = true; // left over, as the sides never change without an engine
    AssignSides(RoleComputerWhite);
    EXPECT_EQ(sounds(), QStringList{QStringLiteral("NEWGAME")});
    EXPECT_EQ(sides(), 'B');
    EXPECT_TRUE(Game.TagWhite.isEmpty());
}

TEST_F(GameTest, PlayerNamesFollowShowPlayersUserLevelAndSlave)
{
    const struct {
        bool showPlayers;
        const char* user;
        int level;
        int role;
        bool slaveBlack;
        const char* white;
        const char* black;
    } rows[] = {
        {true, "", -10, RoleComputerBlack, false, "Chess Fan", "Stockfish 15 (Master)"},
        {true, "Ann", -1, RoleComputerWhite, false, "Stockfish 15 (Peabrain)", "Ann"},
        {true, "Ann", 0, RoleComputerWhite, false, "Stockfish 15", "Ann"}, // timed: no suffix
        {true, "", 8, RoleComputerBlack, false, "Chess Fan", "Stockfish 15 (8 Plies)"},
        {true, "", 100, RoleComputerWhite, false, "Stockfish 15 (Infinite)", "Chess Fan"},
        {true, "", -12, RoleComputerBlack, true, "Chess Fan", "Toga (Overwhelming)"},
        {true, "", -12, RoleComputerWhite, true, "Stockfish 15 (Overwhelming)", "Chess Fan"},
        {false, "Ann", -10, RoleComputerBlack, false, "", ""},
    };
    loadEngine();
    for (const auto& row : rows) {
        Cfg.EngineName = row.showPlayers;
        Cfg.User = QString::fromLatin1(row.user);
        Cfg.Depth = static_cast<qint16>(row.level);
        Engine.SlaveName = QStringLiteral("Toga");
        NewGame();
        Engine.SlaveBlack = row.slaveBlack;
        AssignSides(row.role);
        EXPECT_EQ(Game.TagWhite, QString::fromLatin1(row.white)) << row.level << row.user;
        EXPECT_EQ(Game.TagBlack, QString::fromLatin1(row.black)) << row.level << row.user;
        Engine.SlaveBlack = false;
    }
}

TEST_F(GameTest, PonderingFollowsTheNumberOfEngineSides)
{
    loadEngine();
    Cfg.AlwaysPonder = true;
    AssignSides(RoleComputerBlack);
    EXPECT_TRUE(Engine.PonderOn);
    EXPECT_TRUE(ticked("mnEnginePonder"));
    EXPECT_TRUE(command("mnEnginePonder")->isEnabled());

    mnEngineWhite_Click(); // now both sides
    EXPECT_EQ(sides(), '2');
    EXPECT_FALSE(Engine.PonderOn);
    EXPECT_FALSE(ticked("mnEnginePonder"));
    EXPECT_FALSE(command("mnEnginePonder")->isEnabled());

    Cfg.AlwaysPonder = false;
    mnEngineBlack_Click(); // White only
    EXPECT_EQ(sides(), 'W');
    EXPECT_TRUE(command("mnEnginePonder")->isEnabled());
    EXPECT_FALSE(Engine.PonderOn);
    EXPECT_TRUE(Game.Flipped);
}

TEST_F(GameTest, HandicapItemsStartWeakenedWhiteForTheRightPlayer)
{
    loadEngine();
    // Knight, rook and queen odds, given by the computer and then to it.
    const char* const fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/1NBQKBNR w Kkq - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1",
    };
    for (int index = 0; index < 6; ++index) {
        command("mnQuorvinHandicap", index)->trigger();
        EXPECT_EQ(Game.StartFen, QString::fromLatin1(fens[index % 3])) << index;
        EXPECT_FALSE(Game.StandardStart) << index;
        EXPECT_EQ(sides(), index < 3 ? 'W' : 'B') << index;
    }
}

TEST_F(GameTest, ResetGameTellsTheEnginesAndClearsTheGame)
{
    loadEngine();
    Cfg.AlwaysPonder = true;
    Cfg.AutoPlay = true;
    playQuiet({"e4", "e5"});
    Game.TagEvent = QStringLiteral("Club");
    Game.Flipped = true;
    SetModified();
    ASSERT_TRUE(command("mnFileSave")->isEnabled());
    forgetSent();
    ResetGame(true, false);
    EXPECT_EQ(sentLines(), (QStringList{QStringLiteral("ucinewgame"),
                                        QStringLiteral("setoption name Ponder value true")}));
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(Game.StartFen, Standard);
    EXPECT_EQ(Game.TagEvent, QStringLiteral("Club")); // kept
    EXPECT_FALSE(Game.Flipped);
    EXPECT_FALSE(ticked("mnPosFlip"));
    EXPECT_TRUE(Clock.DemoRunning);
    EXPECT_TRUE(ticked("mnQuorvinPlay"));
    EXPECT_FALSE(command("mnFileSave")->isEnabled());

    // A slave playing a side: both engines hear of the game, neither ponders.
    Engine.SlaveWhite = true;
    forgetSent();
    ResetGame(false, false);
    EXPECT_EQ(sentLines(), (QStringList{QStringLiteral("ucinewgame"),
                                        QStringLiteral("setoption name Ponder value false")}));
    EXPECT_EQ(sentLines(true), (QStringList{QStringLiteral("ucinewgame"),
                                            QStringLiteral("setoption name Ponder value false")}));
    EXPECT_TRUE(Game.TagEvent.isEmpty());

    forgetSent();
    ResetGame(false, true);
    EXPECT_TRUE(sentLines().isEmpty());
    EXPECT_EQ(Engine.EngineState, 1);
}

TEST_F(GameTest, DemonstrationStepsForwardAtTheIntervalAndStopsAtTheEnd)
{
    playQuiet({"e4", "e5", "Nf3"});
    mnMoveStart_Click();
    Cfg.PlayIntv = 2;
    Game.MoveStartTime = fake.clock;

    command("mnQuorvinPlay")->trigger();
    EXPECT_TRUE(Clock.DemoRunning);
    EXPECT_TRUE(ticked("mnQuorvinPlay"));
    const struct {
        double seconds;
        int ply;
    } steps[] = {{1.0, 0}, {1.5, 1}, {1.0, 1}, {1.1, 2}, {2.1, 3}, {5.0, 3}};
    for (const auto& step : steps) {
        fake.clock += step.seconds;
        DemoStep();
        EXPECT_EQ(Game.CurPly, step.ply) << step.seconds;
    }
    // The last ply ends the replay.
    EXPECT_FALSE(Clock.DemoRunning);
    EXPECT_FALSE(ticked("mnQuorvinPlay"));

    // At the last ply the command does not start, and clears a stale tick.
    command("mnQuorvinPlay")->trigger();
    EXPECT_FALSE(Clock.DemoRunning);
    EXPECT_FALSE(ticked("mnQuorvinPlay"));
}

TEST_F(GameTest, SideCommandsKeepOnlyTheSearchForTheSideToMove)
{
    loadEngine();
    AssignSides(RoleComputerBlack);
    playQuiet({"e4"}); // Black, the engine, is to move
    Engine.EngineState = 6;
    mnEngineWhite_Click();
    EXPECT_EQ(Engine.EngineState, 6) << "the search for Black goes on";
    EXPECT_EQ(sides(), '2');
    EXPECT_TRUE(ticked("mnEngineWhite"));

    mnEngineBlack_Click(); // leaving the side that is searching stops it
    EXPECT_EQ(Engine.EngineState, 1);
    EXPECT_EQ(sides(), 'W');
    EXPECT_FALSE(ticked("mnEngineBlack"));
}

TEST_F(GameTest, PonderCommandEndsAPonderSearchButNotTheEnginesOwn)
{
    loadEngine();
    const struct {
        bool ponderOn;
        int state;
        int stateAfter;
    } rows[] = {{true, 6, 6}, {true, 3, 1}, {false, 6, 6}, {false, 1, 1}};
    for (const auto& row : rows) {
        Engine.PonderOn = row.ponderOn;
        Engine.EngineState = row.state;
        mnEnginePonder_Click();
        EXPECT_EQ(Engine.EngineState, row.stateAfter) << row.ponderOn << row.state;
        EXPECT_EQ(Engine.PonderOn, !row.ponderOn);
        EXPECT_EQ(ticked("mnEnginePonder"), !row.ponderOn);
    }
}

// --- The new-game dialog -------------------------------------------------------------------

class NewGameDialogTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        loadEngine();
        dialog = std::make_unique<frmNewGame>(form.get());
        dialog->Form_Load();
    }
    void TearDown() override
    {
        dialog.reset();
        GameTest::TearDown();
    }
    void chooseHandicap(int index) { dialog->optHandicap[index]->click(); }
    std::unique_ptr<frmNewGame> dialog;
};

TEST_F(NewGameDialogTest, StartPositionBoxClampsWhatIsTyped)
{
    EXPECT_FALSE(dialog->txtStartPos->isEnabled());
    EXPECT_FALSE(dialog->updnStartPos->isEnabled());
    fake.randomAnswers = {347};
    chooseHandicap(HandicapChess960);
    EXPECT_EQ(dialog->StartPosNo, 347);
    EXPECT_EQ(dialog->txtStartPos->text(), QStringLiteral("347"));
    EXPECT_TRUE(dialog->txtStartPos->isEnabled());
    EXPECT_TRUE(dialog->updnStartPos->isEnabled());

    const struct {
        const char* typed;
        const char* shown;
        int number;
    } rows[] = {{"12", "12", 12},    {"1000", "959", 959}, {"-5", "0", 0},
                {"518", "518", 518}, {"word", "0", 0},     {"2.5", "2", 2},
                {"", "0", 0},        {"959", "959", 959},  {"40000", "959", 959}};
    for (const auto& row : rows) {
        dialog->txtStartPos->setText(QString::fromLatin1(row.typed));
        EXPECT_EQ(dialog->txtStartPos->text(), QString::fromLatin1(row.shown)) << row.typed;
        EXPECT_EQ(dialog->StartPosNo, row.number) << row.typed;
        EXPECT_EQ(dialog->updnStartPos->value(), row.number) << row.typed;
    }
    dialog->updnStartPos->stepDown();
    EXPECT_EQ(dialog->txtStartPos->text(), QStringLiteral("958"));
    EXPECT_EQ(dialog->StartPosNo, 958);

    chooseHandicap(HandicapRook);
    EXPECT_TRUE(dialog->txtStartPos->text().isEmpty());
    EXPECT_FALSE(dialog->txtStartPos->isEnabled());
    EXPECT_FALSE(dialog->updnStartPos->isEnabled());
}

TEST_F(NewGameDialogTest, ChessNineSixtyStartsTheChosenPositionAnd518TheStandardGame)
{
    fake.randomAnswers = {0};
    chooseHandicap(HandicapChess960);
    dialog->txtStartPos->setText(QStringLiteral("959"));
    dialog->optFlip[ColourBlack]->setChecked(true);
    dialog->btnConfirm_Click();
    EXPECT_EQ(Game.StartFen, Chess960Fen(959));
    EXPECT_FALSE(Game.StandardStart);
    EXPECT_EQ(sides(), 'W');
    EXPECT_TRUE(fake.messages.empty());

    frmNewGame again(form.get());
    again.Form_Load();
    again.optHandicap[HandicapChess960]->click();
    again.txtStartPos->setText(QStringLiteral("518"));
    again.btnConfirm_Click();
    EXPECT_EQ(Game.StartFen, Standard);
    EXPECT_TRUE(Game.StandardStart);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              QStringLiteral("Starting Position No. 518 indicates the standard chess."));
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(NewGameDialogTest, HelpLinkCarriesThePositionOnlyWithChess960)
{
    Cfg.SiteBase = QStringLiteral("file:///opt/q/WEB");
    dialog->lblHelp_Click();
    fake.randomAnswers = {0};
    chooseHandicap(HandicapChess960);
    dialog->lblHelp_Click();
    ASSERT_EQ(fake.openedUrls.size(), 2u);
    EXPECT_EQ(fake.openedUrls[0], QStringLiteral("file:///opt/q/WEB/help/chess960.htm"));
    EXPECT_EQ(fake.openedUrls[1], Chess960HelpUrl(Cfg.SiteBase, true, 0));
}

TEST_F(NewGameDialogTest, LevelListShowsTheLevelAndOkTakesTheChosenName)
{
    Cfg.Depth = -5;
    dialog->Form_Load();
    EXPECT_EQ(dialog->cmbLevel->count(), 13);
    EXPECT_EQ(dialog->cmbLevel->currentText(), QStringLiteral("Beginner"));
    EXPECT_EQ(dialog->cmbLevel->itemText(MoreLevelsIndex), QStringLiteral("More..."));

    dialog->cmbLevel->setCurrentIndex(10);
    dialog->cmbLevel_Click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].text.startsWith(QStringLiteral("'Grandmaster' usually")));
    EXPECT_EQ(Cfg.Depth, -5) << "only OK changes the level";
    dialog->cmbLevel->setCurrentIndex(9);
    dialog->cmbLevel_Click();
    EXPECT_EQ(fake.messages.size(), 1u);
    dialog->btnConfirm_Click();
    EXPECT_EQ(Cfg.Depth, -10);

    Cfg.Depth = 7; // a fixed depth shows as "More..." and OK keeps it
    frmNewGame again(form.get());
    again.Form_Load();
    EXPECT_EQ(again.cmbLevel->currentIndex(), MoreLevelsIndex);
    again.btnConfirm_Click();
    EXPECT_EQ(Cfg.Depth, 7);
}

TEST_F(NewGameDialogTest, ColourChoiceGivesTheComputerTheOtherSide)
{
    const struct {
        int colour;
        char computer;
    } rows[] = {{ColourWhite, 'B'}, {ColourBlack, 'W'}, {ColourBoth, '-'}};
    for (const auto& row : rows) {
        frmNewGame choice(form.get());
        choice.Form_Load();
        choice.optFlip[row.colour]->setChecked(true);
        choice.btnConfirm_Click();
        EXPECT_EQ(sides(), row.computer) << row.colour;
    }
    // Preselection by the stored role: none, computer White, computer Black.
    const struct {
        int role;
        int colour;
    } preselected[] = {{RoleNoComputer, ColourBoth},
                       {RoleComputerWhite, ColourBlack},
                       {RoleComputerBlack, ColourWhite}};
    for (const auto& row : preselected) {
        Cfg.EnginePlay = static_cast<qint16>(row.role);
        frmNewGame choice(form.get());
        choice.Form_Load();
        EXPECT_TRUE(choice.optFlip[row.colour]->isChecked()) << row.role;
    }
}

TEST_F(NewGameDialogTest, ShowNewTickIsStoredOnOkAndOnCancel)
{
    dialog->chkShowNew->setChecked(true);
    dialog->btnCancel_Click();
    EXPECT_TRUE(Cfg.ShowNew);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    frmNewGame again(form.get());
    again.Form_Load();
    EXPECT_TRUE(again.chkShowNew->isChecked());
    again.chkShowNew->setChecked(false);
    again.btnConfirm_Click();
    EXPECT_FALSE(Cfg.ShowNew);
}

TEST_F(GameTest, NewGameCommandOpensTheStartupDialogWhenAsked)
{
    loadEngine();
    Cfg.ShowNew = true;
    playQuiet({"d4"});
    bool seen = false;
    // The dialog may not be up at the first timer event: poll until it is, then press OK.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<frmNewGame*>(QApplication::activeModalWidget())) {
            seen = dialog->windowTitle() == QStringLiteral("Startup");
            dialog->optFlip[ColourWhite]->setChecked(true);
            dialog->btnConfirm->click();
        }
    });
    poll.start(5);
    Game.Modified = false;
    command("mnFileNew")->trigger();
    poll.stop();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(sides(), 'B');
}

} // namespace
