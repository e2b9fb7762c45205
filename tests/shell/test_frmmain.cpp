#include "gui/wiring.h"
#include "core/gamerecord.h"
#include "engine/search.h"
#include "shell/appstate.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "support/fake_platform.h"
#include "support/test_app.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        Cfg = Settings::defaults();
        App = AppState();
        App.Running = true;
    }
    FakePlatform fake;
};

TEST_F(MainWindowTest, ToolbarButtonsShareTheMenuCommands)
{
    frmMain window;
    EXPECT_EQ(window.menuBar()->actions().size(), 8);
    // A literal ampersand in a caption must stay text, not turn into an access key.
    EXPECT_EQ(window.command(QStringLiteral("mnHelpMobile"))->text(),
              QStringLiteral("&Mobile Chess && Flash Chess"));
    const QToolBar* toolbar = window.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    const QList<QAction*> commands = window.commandSet().all();
    int buttons = 0;
    for (QAction* act : toolbar->actions()) {
        if (act->isSeparator())
            continue;
        ++buttons;
        EXPECT_TRUE(commands.contains(act)) << act->objectName().toStdString();
        EXPECT_FALSE(act->icon().isNull()) << act->objectName().toStdString();
    }
    EXPECT_EQ(buttons, 24);
    // A key named unlike its command still reaches it.
    EXPECT_EQ(window.commandSet().toolbarAction(QStringLiteral("FileViewPgn")),
              window.command(QStringLiteral("mnFilePgn")));
    // A key that names no command does nothing, and does not crash.
    window.pressToolbarButton(QStringLiteral("NoSuchButton"));
    EXPECT_TRUE(App.Running);
}

TEST_F(MainWindowTest, FormLoadFillsFixedListsAndTicks)
{
    Cfg.Coordinates = true;
    Cfg.Sounds = false;
    frmMain window;
    window.Form_Load();
    ASSERT_EQ(window.lstMoveText->count(), 1);
    EXPECT_EQ(window.lstMoveText->item(0)->text(), QStringLiteral("==Start=="));
    EXPECT_TRUE(window.command(QStringLiteral("mnOptionsCoordinates"))->isChecked());
    EXPECT_FALSE(window.command(QStringLiteral("mnOptionsSounds"))->isChecked());
    // Loading twice does not duplicate the fixed items.
    window.Form_Load();
    EXPECT_EQ(window.lstMoveText->count(), 1);
    EXPECT_EQ(window.cmbAnnotation->count(), 7);
}

TEST_F(MainWindowTest, OptionTogglesFlipSettingAndTick)
{
    frmMain window;
    window.Form_Load();
    const struct {
        const char* command;
        bool Settings::*setting;
    } toggles[] = {
        {"mnOptionsAnimation", &Settings::Animation},
        {"mnOptionsSounds", &Settings::Sounds},
        {"mnOptionsCoordinates", &Settings::Coordinates},
        {"mnOptionsTopMost", &Settings::TopMost},
    };
    for (const auto& toggle : toggles) {
        QAction* act = window.command(QString::fromLatin1(toggle.command));
        const bool before = Cfg.*toggle.setting;
        for (const bool on : {!before, before}) {
            act->trigger();
            EXPECT_EQ(Cfg.*toggle.setting, on) << toggle.command;
            EXPECT_EQ(act->isChecked(), on) << toggle.command;
        }
    }
    // The coordinates appear and vanish on the board at once.
    ConnectBoardCommands(window);
    for (const bool on : {!Cfg.Coordinates, Cfg.Coordinates}) {
        window.command(QStringLiteral("mnOptionsCoordinates"))->trigger();
        ASSERT_NE(MainBoardView(), nullptr);
        EXPECT_EQ(MainBoardView()->captionsShown(), on);
    }
    // Always on Top puts the window above others.
    window.command(QStringLiteral("mnOptionsTopMost"))->trigger();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window.command(QStringLiteral("mnOptionsTopMost"))->trigger();
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, OnlyCommandsWithAHandlerAreEnabled)
{
    frmMain window;
    window.Form_Load();
    ConnectAllCommands(window);
    // The thinking controls ask to enable commands whose windows are still to come.
    SetThinkingControls(true);
    SetThinkingControls(false);
    int enabled = 0;
    for (QAction* act : window.commandSet().all()) {
        auto* command = dynamic_cast<CommandAction*>(act);
        ASSERT_NE(command, nullptr) << act->objectName().toStdString();
        if (act->isEnabled()) {
            ++enabled;
            EXPECT_TRUE(command->hasHandler()) << act->objectName().toStdString();
        }
    }
    EXPECT_GT(enabled, 20);
    EXPECT_FALSE(window.command(QStringLiteral("mnPosEdit"))->isEnabled());
    EXPECT_TRUE(window.command(QStringLiteral("mnFileExit"))->isEnabled());
    EXPECT_TRUE(window.command(QStringLiteral("mnQuorvinPlay"))->isEnabled());
}

TEST_F(MainWindowTest, StatusBarToggleKeepsTheBoardSize)
{
    frmMain window;
    window.Form_Load();
    window.resize(900, 640);
    window.show();
    const int height = window.height();
    QAction* toggle = window.command(QStringLiteral("mnOptionsStatusBar"));
    toggle->trigger();
    EXPECT_TRUE(Cfg.StatusBar);
    EXPECT_TRUE(window.statusBar()->isVisible());
    EXPECT_GT(window.height(), height);
    toggle->trigger();
    EXPECT_FALSE(window.statusBar()->isVisible());
    EXPECT_EQ(window.height(), height);
    for (const char* key : {"Curr", "Nps", "Pv", "Msg"})
        EXPECT_NE(window.statusPanel(QString::fromLatin1(key)), nullptr) << key;
}

TEST_F(MainWindowTest, ExitEndsTheLoopAndStoresThePosition)
{
    frmMain window;
    window.Form_Load();
    window.show();
    window.move(100, 80);
    window.command(QStringLiteral("mnFileExit"))->trigger();
    EXPECT_FALSE(App.Running);
    EXPECT_EQ(Cfg.Left, window.pos().x() * 15);
    EXPECT_EQ(Cfg.Top, window.pos().y() * 15);
}

TEST_F(MainWindowTest, SecondCopyDoesNotStoreThePosition)
{
    App.SecondInstance = true;
    Cfg.Left = 1234;
    Cfg.Top = 567;
    frmMain window;
    window.Form_Load();
    window.show();
    window.move(300, 200);
    window.close();
    EXPECT_FALSE(App.Running);
    EXPECT_EQ(Cfg.Left, 1234);
    EXPECT_EQ(Cfg.Top, 567);
}

TEST_F(MainWindowTest, ClosingAChangedGameAsksAndCancelKeepsRunning)
{
    resetRecord(false);
    Game.Modified = true;
    frmMain window;
    window.Form_Load();
    window.show();
    fake.answers = {MsgAnswer::Cancel};
    window.command(QStringLiteral("mnFileExit"))->trigger();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              QStringLiteral("The game has changed.\r\n\r\nDo you want to save the changes?"));
    EXPECT_EQ(fake.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(App.Running);
    EXPECT_TRUE(window.isVisible());

    // No discards the changes and closes.
    fake.answers = {MsgAnswer::No};
    window.command(QStringLiteral("mnFileExit"))->trigger();
    EXPECT_FALSE(App.Running);
    EXPECT_FALSE(window.isVisible());
    Game.Modified = false;
}

} // namespace
