// The puzzle list over the main window, and the Challenge menu's commands.
#include "support/game_fixture.h"

#include "gui/frmendgames.h"
#include "gui/frmmain.h"
#include "gui/puzzlecommands.h"
#include "shell/settings.h"
#include "study/puzzles.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace {

class EndgamesDialogTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        Puzzles.PuzzleFens = {QStringLiteral("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1"),
                              QStringLiteral("r5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1")};
        Puzzles.Titles = {QStringLiteral("First"), QStringLiteral("Second")};
        Puzzles.PuzzleCount = 2;
        form = std::make_unique<frmMain>();
        form->Form_Load();
    }
    void TearDown() override
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GameTest::TearDown();
    }
    std::unique_ptr<frmMain> form;
};

TEST_F(EndgamesDialogTest, SelectionPreviewsAndOkOrCancelAnswers)
{
    for (const bool confirm : {true, false}) {
        frmEndgames dialog(form.get());
        dialog.Form_Load(QStringLiteral("Mate in 2"), Puzzles.Titles, 1);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Mate in 2"));
        EXPECT_EQ(dialog.lstGames->count(), 2);
        EXPECT_EQ(Cfg.EndgamesIndex, 1);
        EXPECT_EQ(dialog.previewPicture(0), 9); // the black rook of the second puzzle
        EXPECT_EQ(dialog.lblTitle->text(), QStringLiteral("Second"));

        dialog.lstGames->setCurrentRow(0);
        EXPECT_EQ(Cfg.EndgamesIndex, 0);
        EXPECT_EQ(dialog.previewPicture(0), 0);
        EXPECT_EQ(dialog.previewPicture(56), 3); // the white rook on a1
        (confirm ? dialog.btnConfirm : dialog.btnCancel)->click();
        EXPECT_EQ(dialog.choice(), confirm ? 0 : -1);
    }
}

TEST_F(EndgamesDialogTest, ChallengeCommandsAreEnabledAndTheStoredSeriesTicked)
{
    Cfg.EpdMenu = 4;
    ConnectPuzzleCommands(*form);
    EXPECT_TRUE(form->command(QStringLiteral("mnEndgamesStart"))->isEnabled());
    for (int index = 0; index < 6; ++index) {
        QAction* item = form->command(QStringLiteral("mnEndgames"), index);
        ASSERT_TRUE(item);
        EXPECT_TRUE(item->isEnabled());
        EXPECT_EQ(item->isChecked(), index == 4) << index;
    }
    for (int service = 0; service < 3; ++service)
        EXPECT_TRUE(form->command(QStringLiteral("mnEndgamesShare"), service)->isEnabled());
    EXPECT_TRUE(form->command(QStringLiteral("mnEndgamesPublishOther"))->isEnabled());
}

} // namespace
