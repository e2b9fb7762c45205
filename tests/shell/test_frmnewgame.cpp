// The Startup dialog over the main window: its choices, the boxes it clamps, the sides it gives,
// and the New Game command that opens it.
#include "support/game_fixture.h"

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmlevelset.h"
#include "gui/frmmain.h"
#include "gui/frmnewgame.h"
#include "gui/frmposedit.h"
#include "gui/wiring.h"
#include "play/chess960.h"
#include "play/gamecontrol.h"
#include "shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <memory>

namespace {

const QString Standard = QString::fromLatin1(StandardFen);

// The side the computer plays after a new game: 'W', 'B', '-' (neither) or '2' (both).
char sides()
{
    return Engine.EngineWhite ? (Engine.EngineBlack ? '2' : 'W') : (Engine.EngineBlack ? 'B' : '-');
}

// The game commands on a real main window.
class WindowGameTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectBoardCommands(*form);
        ConnectLevelCommands(*form);
        ConnectSaveCommands(*form);
        ConnectGameCommands(*form);
    }
    void TearDown() override
    {
        form.reset();
        SetMainBoardView(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GameTest::TearDown();
    }
    QAction* command(const char* name) const { return form->command(QString::fromLatin1(name)); }
    std::unique_ptr<frmMain> form;
};

TEST_F(WindowGameTest, AlternationSwapsColoursOverSuccessiveGamesWithAndWithoutTheDialog)
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

// --- The new-game dialog -------------------------------------------------------------------

class NewGameDialogTest : public WindowGameTest {
protected:
    void SetUp() override
    {
        WindowGameTest::SetUp();
        loadEngine();
        dialog = std::make_unique<frmNewGame>(form.get());
        dialog->Form_Load();
    }
    void TearDown() override
    {
        dialog.reset();
        WindowGameTest::TearDown();
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

TEST_F(NewGameDialogTest, CustomStartOpensThePositionEditorOverTheDialog)
{
    ASSERT_TRUE(dialog->optHandicap[HandicapCustom]->isEnabled());
    playQuiet({"e4"});
    Game.Modified = false;
    // Each run answers the editor: a position typed and confirmed, then a cancel.
    const struct {
        const char* fen;
        bool confirm;
        const char* startFen;
    } runs[] = {
        {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 25", true, "4k3/8/8/8/8/8/8/R3K3 w Q - 0 25"},
        {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 25", false, StandardFen},
    };
    for (const auto& run : runs) {
        frmNewGame startup(form.get());
        startup.Form_Load();
        startup.optHandicap[HandicapCustom]->click();
        startup.optFlip[ColourWhite]->setChecked(true);
        QWidget* owner = nullptr;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* editor = qobject_cast<frmPosEdit*>(QApplication::activeModalWidget())) {
                owner = editor->parentWidget();
                // The editor opens on the new game's start position.
                EXPECT_EQ(editor->txtFen->text(), Standard);
                editor->txtFen->setText(QString::fromLatin1(run.fen));
                (run.confirm ? editor->btnConfirm : editor->btnCancel)->click();
            }
        });
        poll.start(5);
        startup.btnConfirm_Click();
        poll.stop();
        EXPECT_EQ(owner, &startup);
        EXPECT_EQ(Game.StartFen, QString::fromLatin1(run.startFen));
        EXPECT_EQ(Game.PlyCount, 0);
        EXPECT_EQ(sides(), 'B'); // the human plays White
    }
    EXPECT_EQ(Game.MoveNumber, 1);
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

TEST_F(WindowGameTest, NewGameCommandOpensTheStartupDialogWhenAsked)
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
