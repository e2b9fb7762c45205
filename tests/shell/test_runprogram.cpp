#include "core/gamerecord.h"
#include "gui/frmmain.h"
#include "gui/wiring.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "support/fake_platform.h"
#include "support/test_app.h"

#include <QAction>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Runs the whole program once; `whileRunning` acts on the shown main window, then Exit is chosen.
int runOnce(const std::function<void(frmMain&)>& whileRunning, const QStringList& arguments = {})
{
    QTimer::singleShot(0, [whileRunning] {
        ASSERT_NE(MainForm, nullptr);
        whileRunning(*MainForm);
        MainForm->command(QStringLiteral("mnFileExit"))->trigger();
    });
    return RunProgram(arguments);
}

class RunProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ASSERT_TRUE(store.isValid());
        setSettingsStorePath(store.filePath(QStringLiteral("settings.ini")));
        App = AppState();
    }
    void TearDown() override { setSettingsStorePath(QString()); }

    QTemporaryDir store;
    FakePlatform fake;
};

TEST_F(RunProgramTest, FirstRunUsesDefaultsAndExitEndsTheLoop)
{
    bool shown = false;
    EXPECT_EQ(runOnce([&](frmMain& window) {
                  shown = window.isVisible();
                  EXPECT_TRUE(App.Running);
                  // No engine beside the test program: the path is given up at start-up.
                  Settings expected = Settings::defaults();
                  expected.EnginePath.clear();
                  EXPECT_EQ(Cfg, expected);
                  ASSERT_FALSE(fake.messages.empty());
                  EXPECT_TRUE(
                      fake.messages[0].text.startsWith(QStringLiteral("Unable to load engine: ")));
              }),
              0);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(App.Running);
    EXPECT_EQ(MainForm, nullptr);
}

TEST_F(RunProgramTest, ToggledOptionAndWindowPositionComeBack)
{
    QPoint placed;
    runOnce([&](frmMain& window) {
        window.command(QStringLiteral("mnOptionsCoordinates"))->trigger();
        window.command(QStringLiteral("mnOptionsSounds"))->trigger();
        window.move(150, 90);
        placed = window.geometry().topLeft();
    });
    {
        QSettings saved(store.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        EXPECT_EQ(saved.value(QStringLiteral("Options/Coordinates")).toString(),
                  QStringLiteral("1"));
        EXPECT_EQ(saved.value(QStringLiteral("Options/Sounds")).toString(), QStringLiteral("0"));
    }
    QPoint restored;
    runOnce([&](frmMain& window) {
        EXPECT_TRUE(window.command(QStringLiteral("mnOptionsCoordinates"))->isChecked());
        EXPECT_FALSE(window.command(QStringLiteral("mnOptionsSounds"))->isChecked());
        restored = window.geometry().topLeft();
    });
    EXPECT_TRUE(Cfg.Coordinates);
    // The same corner of the same rectangle is stored and restored: the window never creeps
    // by its frame's size from one start to the next.
    EXPECT_EQ(restored, placed);
    EXPECT_EQ(Cfg.Left, restored.x() * 15);
    EXPECT_EQ(Cfg.Top, restored.y() * 15);
}

TEST_F(RunProgramTest, PositionOffScreenIsPulledBack)
{
    {
        QSettings saved(store.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        saved.setValue(QStringLiteral("Gui/Left"), QStringLiteral("30000"));
        saved.setValue(QStringLiteral("Gui/Top"), QStringLiteral("-400"));
    }
    fake.screen = QSize(800, 600);
    runOnce([](frmMain& window) {
        EXPECT_LE(window.geometry().x(), 600);
        EXPECT_GE(window.geometry().y(), 0);
    });

    // A place inside the stored range may still leave the window's lower part below the
    // screen's edge: the window moves up until it fits.
    {
        QSettings saved(store.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        saved.setValue(QStringLiteral("Gui/Left"), QStringLiteral("0"));
        saved.setValue(QStringLiteral("Gui/Top"), QStringLiteral("6750"));
    }
    runOnce([](frmMain& window) {
        const QRect room = window.screen()->availableGeometry();
        const QRect place = window.geometry();
        ASSERT_LE(place.height(), room.height());
        EXPECT_LE(place.bottom(), room.bottom());
        EXPECT_GE(place.top(), room.top());
    });
}

TEST_F(RunProgramTest, CommandLinePositionStartsTheGameAndABadOneANormalGame)
{
    const QString fen = QStringLiteral("4k3/8/8/8/8/8/4P3/4K3 b - - 0 40");
    runOnce(
        [&](frmMain&) {
            EXPECT_FALSE(Game.StandardStart);
            EXPECT_EQ(Game.StartFen, fen);
            EXPECT_EQ(Game.Board.side, Black);
        },
        {QStringLiteral("-s"), fen});

    fake.messages.clear();
    runOnce(
        [&](frmMain&) {
            EXPECT_TRUE(Game.StandardStart);
            EXPECT_EQ(Game.PlyCount, 0);
        },
        {QStringLiteral("/S"), QStringLiteral("hello"), QStringLiteral("world")});
    const bool refused = std::any_of(fake.messages.begin(), fake.messages.end(), [](auto& m) {
        return m.text.contains(QStringLiteral("hello world"));
    });
    EXPECT_TRUE(refused);
}

TEST_F(RunProgramTest, MissingPositionFileIsReported)
{
    fake.messages.clear();
    runOnce([](frmMain&) { EXPECT_TRUE(Game.StandardStart); },
            {QStringLiteral("/F"), store.filePath(QStringLiteral("none.fen"))});
    const bool reported = std::any_of(fake.messages.begin(), fake.messages.end(), [&](auto& m) {
        return m.text.contains(store.filePath(QStringLiteral("none.fen")));
    });
    EXPECT_TRUE(reported);
}

} // namespace
