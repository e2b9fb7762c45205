// The Level dialog over the main window: its clamped boxes, frames, warnings, OK and Cancel, and
// the Level command that opens it.
#include "support/clock_fixture.h"

#include "engine/enginestate.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmlevelset.h"
#include "gui/frmmain.h"
#include "play/clockstate.h"
#include "play/levels.h"
#include "shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <memory>

namespace {

class LevelDialogTest : public ClockTest {
protected:
    void SetUp() override
    {
        ClockTest::SetUp();
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectBoardCommands(*form);
        ConnectLevelCommands(*form);
    }
    void TearDown() override
    {
        dialog.reset(); // a child of the main window, so it goes first
        form.reset();
        SetMainBoardView(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ClockTest::TearDown();
    }
    QAction* levelCommand() const { return form->command(QStringLiteral("mnEngineLevel")); }
    void open()
    {
        dialog = std::make_unique<frmLevelSet>(form.get());
        dialog->Form_Load();
    }
    std::unique_ptr<frmMain> form;
    std::unique_ptr<frmLevelSet> dialog;
};

TEST_F(LevelDialogTest, BoxesAreClampedToTheirRanges)
{
    struct Row {
        QLineEdit* frmLevelSet::*box;
        int level; // level in force when the dialog opens
        const char* typed;
        const char* shown;
        int frmLevelSet::*pending;
    };
    const Row rows[] = {
        {&frmLevelSet::txtInitTime, -1, "0", "1", &frmLevelSet::pendingInitTime},
        {&frmLevelSet::txtInitTime, -1, "500", "480", &frmLevelSet::pendingInitTime},
        {&frmLevelSet::txtInitTime, -1, "", "1", &frmLevelSet::pendingInitTime},
        {&frmLevelSet::txtInitTime, -1, "45", "45", &frmLevelSet::pendingInitTime},
        {&frmLevelSet::txtIncTime, -1, "-100", "-60", &frmLevelSet::pendingIncTime},
        {&frmLevelSet::txtIncTime, -1, "601", "600", &frmLevelSet::pendingIncTime},
        {&frmLevelSet::txtIncMove, -1, "1000", "999", &frmLevelSet::pendingIncMove},
        {&frmLevelSet::txtIncMove, -1, "0", "1", &frmLevelSet::pendingIncMove},
        {&frmLevelSet::txtDepth, 8, "word", "1", &frmLevelSet::pendingLevel},
        {&frmLevelSet::txtDepth, 8, "2.5", "2", &frmLevelSet::pendingLevel},
        {&frmLevelSet::txtDepth, 8, "150", "99", &frmLevelSet::pendingLevel},
    };
    for (const Row& row : rows) {
        Cfg.Depth = static_cast<qint16>(row.level);
        open();
        QLineEdit* box = (*dialog).*row.box;
        box->setText(QString::fromLatin1(row.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(row.shown)) << row.typed;
        EXPECT_EQ((*dialog).*row.pending, box->text().toInt()) << row.typed;
    }
}

TEST_F(LevelDialogTest, UpDownControlsStepTheirBoxes)
{
    open();
    dialog->updnSegment->stepBy(1);
    EXPECT_EQ(dialog->txtInitTime->text(), "2");
    dialog->txtIncTime->setText("-59");
    dialog->updnIncTime->stepBy(-5);
    EXPECT_EQ(dialog->txtIncTime->text(), "-60");
    EXPECT_EQ(dialog->pendingIncTime, -60);
}

TEST_F(LevelDialogTest, LoadSelectsTheLevelAndItsFrame)
{
    struct Row {
        int level;
        QRadioButton* frmLevelSet::*option;
        bool timer, depth;
    };
    const Row rows[] = {{-5, nullptr, false, false},
                        {0, &frmLevelSet::optTimer, true, false},
                        {100, &frmLevelSet::optInfinite, false, false},
                        {12, &frmLevelSet::optDepth, false, true}};
    for (const Row& row : rows) {
        Cfg.Depth = static_cast<qint16>(row.level);
        open();
        QRadioButton* selected = row.option ? (*dialog).*row.option : dialog->optLevel[4];
        EXPECT_TRUE(selected->isChecked()) << row.level;
        EXPECT_EQ(dialog->frmTimer->isVisibleTo(dialog.get()), row.timer) << row.level;
        EXPECT_EQ(dialog->frmDepth->isVisibleTo(dialog.get()), row.depth) << row.level;
        EXPECT_EQ(dialog->pendingLevel, row.level);
    }
    EXPECT_EQ(dialog->txtDepth->text(), "12");
    EXPECT_EQ(dialog->windowTitle(), "Level");
    EXPECT_TRUE(fake.messages.empty()) << "loading a level shows no warning";
}

TEST_F(LevelDialogTest, OkAtOnceKeepsTheLevel)
{
    Cfg.Depth = -5;
    Cfg.InitTime = 7, Cfg.IncMove = 40, Cfg.IncTime = -3, Cfg.IncMode = true;
    open();
    dialog->btnConfirm->click();
    EXPECT_EQ(Cfg.Depth, -5);
    EXPECT_EQ(Cfg.InitTime, 7);
    EXPECT_EQ(Cfg.IncMove, 40);
    EXPECT_EQ(Cfg.IncTime, -3);
    EXPECT_TRUE(Cfg.IncMode);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(LevelDialogTest, LimitedDepthStartsAtEightUnlessADepthIsPending)
{
    Cfg.Depth = -3;
    open();
    dialog->optDepth->click();
    EXPECT_EQ(dialog->txtDepth->text(), "8");
    EXPECT_EQ(dialog->pendingLevel, 8);
    EXPECT_TRUE(dialog->frmDepth->isVisibleTo(dialog.get()));

    dialog->txtDepth->setText("12");
    dialog->optDepth_Click();
    EXPECT_EQ(dialog->pendingLevel, 12);
    dialog->btnConfirm->click();
    EXPECT_EQ(Cfg.Depth, 12);
}

TEST_F(LevelDialogTest, WarningsForTheSlowLevels)
{
    open();
    dialog->optLevel[9]->click();
    EXPECT_TRUE(fake.messages.empty());
    dialog->optLevel[10]->click();
    dialog->optLevel[11]->click();
    dialog->optInfinite->click();
    ASSERT_EQ(fake.messages.size(), 3u);
    EXPECT_EQ(fake.messages[0].text, LevelWarning(10));
    EXPECT_EQ(fake.messages[1].text, LevelWarning(11));
    EXPECT_EQ(fake.messages[2].text, LevelWarning(LevelInfinite));
    for (const MessageRequest& message : fake.messages)
        EXPECT_EQ(message.icon, MsgIcon::Information);
    EXPECT_EQ(dialog->pendingLevel, LevelInfinite);
}

TEST_F(LevelDialogTest, IncrementKindEnablesItsControls)
{
    Cfg.IncMode = true;
    Cfg.Depth = 0;
    open();
    EXPECT_TRUE(dialog->optIncTime->isChecked());
    EXPECT_TRUE(dialog->txtIncTime->isEnabled() && dialog->updnIncTime->isEnabled() &&
                dialog->lblSeconds->isEnabled());
    EXPECT_FALSE(dialog->txtIncMove->isEnabled() || dialog->updnIncMove->isEnabled() ||
                 dialog->lblMoves->isEnabled());
    dialog->optIncMove->click();
    EXPECT_FALSE(dialog->txtIncTime->isEnabled());
    EXPECT_TRUE(dialog->txtIncMove->isEnabled() && dialog->lblMoves->isEnabled());
    dialog->btnConfirm->click();
    EXPECT_FALSE(Cfg.IncMode);
}

TEST_F(LevelDialogTest, OneMinutePlusOneSecondStartsTheClocks)
{
    Engine.EngineBlack = true;
    open();
    dialog->optTimer->click();
    dialog->optIncTime->click();
    dialog->txtInitTime->setText("1");
    dialog->txtIncTime->setText("1");
    dialog->btnConfirm->click();
    EXPECT_EQ(Cfg.Depth, 0);
    EXPECT_TRUE(Cfg.IncMode);
    EXPECT_EQ(Cfg.InitTime, 1);
    EXPECT_EQ(Cfg.IncTime, 1);
    EXPECT_TRUE(Clock.ClockRunning);
    EXPECT_TRUE(levelCommand()->isChecked()) << "the running clocks keep the command pressed";
    EXPECT_EQ(form->lblTimeLeftDown->text(), "00:01:00");
    EXPECT_EQ(form->lblTimeRuleUp->text(), "Plus 1 sec/move");
}

TEST_F(LevelDialogTest, CancelChangesNothing)
{
    Cfg.Depth = -2;
    open();
    dialog->optTimer->click();
    dialog->txtInitTime->setText("30");
    dialog->btnCancel->click();
    EXPECT_EQ(Cfg.Depth, -2);
    EXPECT_EQ(Cfg.InitTime, 1);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(levelCommand()->isChecked());
}

TEST_F(LevelDialogTest, LevelCommandOpensTheDialogWhenNoClocksRun)
{
    Engine.EngineWhite = true;
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* shown = qobject_cast<frmLevelSet*>(QApplication::activeModalWidget())) {
            seen = true;
            shown->optTimer->click();
            shown->btnConfirm->click();
        }
    });
    poll.start(10);
    levelCommand()->trigger();
    poll.stop();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Cfg.Depth, 0);
    EXPECT_TRUE(Clock.ClockRunning);
    EXPECT_TRUE(levelCommand()->isChecked());
}

} // namespace
