// The tag editor, and the position and tag commands of the main window.
#include "support/game_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "files/savegame.h"
#include "gui/boardview.h"
#include "gui/frmedittags.h"
#include "gui/frmmain.h"
#include "gui/frmposedit.h"
#include "gui/positioncommands.h"
#include "shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

using EditTagsTest = GameTest;

TEST_F(EditTagsTest, ResultAndTagsReachTheCaptionsWithoutMarkingTheGameChanged)
{
    Game.TagEvent = "Open";
    Game.TagWhite = "Ann";
    Game.TagBlack = "Bob";
    Game.GameResult = ResultDraw;
    frmEditTags editor;
    editor.Form_Load();
    EXPECT_EQ(editor.windowTitle(), "Edit Tags");
    EXPECT_EQ(editor.txtWhite->text(), "Ann");
    ASSERT_EQ(editor.cmbResult->count(), 4);
    EXPECT_EQ(editor.cmbResult->itemText(0), "In progress");
    EXPECT_EQ(editor.cmbResult->currentText(), "Draw");
    EXPECT_TRUE(editor.chkAutoEco->isEnabled());

    editor.cmbResult->setCurrentIndex(3);
    editor.txtEvent->clear();
    editor.txtBlackElo->setText(" 2300 ");
    editor.txtDate->setText("2026.13.45");
    editor.btnConfirm->click();
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    EXPECT_TRUE(Game.TagEvent.isEmpty());
    EXPECT_EQ(Game.TagBlackElo, " 2300 "); // as typed
    EXPECT_EQ(Game.TagDate, "2026.13.45"); // no check of dates
    EXPECT_TRUE(shown.headers[HeaderLabel::Result].contains(" 0-1 "));
    EXPECT_TRUE(shown.headers[HeaderLabel::Event].isEmpty());
    EXPECT_FALSE(Game.Modified);

    // Cancel changes nothing; Modified keeps its value either way.
    SetModified();
    frmEditTags again;
    again.Form_Load();
    again.txtWhite->setText("Carl");
    again.cmbResult->setCurrentIndex(1);
    again.btnCancel->click();
    EXPECT_EQ(Game.TagWhite, "Ann");
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    EXPECT_TRUE(Game.Modified);
}

TEST_F(EditTagsTest, AutoAnalyzeIsOfferedOnlyForTheStandardStart)
{
    ASSERT_TRUE(StartFromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1", false));
    Game.AutoEco = true;
    frmEditTags editor;
    editor.Form_Load();
    EXPECT_FALSE(editor.chkAutoEco->isEnabled());
    EXPECT_TRUE(editor.chkAutoEco->isChecked()); // its stored state
    editor.btnConfirm->click();
    EXPECT_TRUE(Game.AutoEco);
}

class PositionCommandsTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectPositionCommands(*form);
    }
    void TearDown() override
    {
        form.reset();
        SetMainBoardView(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GameTest::TearDown();
    }
    // Runs command; when it opens a dialog, answer runs on it.
    template <class Dialog>
    void runWithDialog(const char* name, std::function<void(Dialog&)> answer)
    {
        bool seen = false;
        // The dialog may not be up at the first timer event: poll until it is.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                seen = true;
                answer(*dialog);
            }
        });
        poll.start(5);
        form->command(QString::fromLatin1(name))->trigger();
        poll.stop();
        EXPECT_TRUE(seen) << name;
    }
    std::unique_ptr<frmMain> form;
};

TEST_F(PositionCommandsTest, CommandsAreConnectedAndOpenTheirWindows)
{
    for (const char* name : {"mnPosCopy", "mnPosPaste", "mnPosLoad", "mnPosStore", "mnMoveImport",
                             "mnMovePaste", "mnPosEdit", "mnFileTags"})
        EXPECT_TRUE(form->command(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(form->commandSet().toolbarAction("MovePaste")->isEnabled());

    runWithDialog<frmEditTags>("mnFileTags", [](frmEditTags& tags) {
        tags.txtSite->setText("Riga");
        tags.btnConfirm->click();
    });
    EXPECT_EQ(Game.TagSite, "Riga");

    // Edit Position asks to save a changed game first; Cancel there opens nothing.
    Cfg.PromptSave = true;
    playQuiet({"e4"});
    SetModified();
    fake.answers = {MsgAnswer::Cancel};
    form->command("mnPosEdit")->trigger();
    EXPECT_EQ(fake.messages.size(), 1u);
    fake.answers = {MsgAnswer::No};
    runWithDialog<frmPosEdit>("mnPosEdit", [](frmPosEdit& editor) {
        editor.txtFen->setText("4k3/8/8/8/8/8/8/4K2R w K - 0 12");
        editor.btnConfirm->click();
    });
    EXPECT_EQ(Game.StartFen, "4k3/8/8/8/8/8/8/4K2R w K - 0 12");
    EXPECT_EQ(Game.MoveNumber, 12);
}

} // namespace
