// Every command of the main window: each has its handler, and choosing each one in turn, with
// every question answered No or Cancel and every dialog closed at once, neither crashes nor
// leaves the program stuck.
#include "core/gamerecord.h"
#include "gui/commands.h"
#include "gui/frmmain.h"
#include "gui/wiring.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "support/fake_platform.h"
#include "support/program_state.h"
#include "support/test_app.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(EveryCommand, HasAHandlerAndRunsWithoutHarm)
{
    ensureApplication();
    ResetProgramState();
    QTemporaryDir store;
    ASSERT_TRUE(store.isValid());
    setSettingsStorePath(store.filePath(QStringLiteral("settings.ini")));
    FakePlatform fake;
    App.ProgramFolder = testProgramFolder();
    App.Running = true;
    // Every window shown on the way keeps to the topmost band; the walk leaves the setting on.
    Cfg.TopMost = true;
    frmMain window;
    window.Form_Load();
    ConnectAllCommands(window);
    window.show();

    QStringList missing;
    for (QAction* act : window.commandSet().all()) {
        auto* command = dynamic_cast<CommandAction*>(act);
        ASSERT_NE(command, nullptr);
        if (!command->hasHandler())
            missing.append(act->objectName() + QLatin1Char('(') +
                           act->property("index").toString() + QLatin1Char(')'));
    }
    missing.sort();
    EXPECT_TRUE(missing.isEmpty())
        << missing.join(QLatin1Char(' ')).toStdString();

    // Whatever opens a window of its own is closed as soon as it shows.
    QStringList below;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&below] {
        for (QWidget* shown : QApplication::topLevelWidgets())
            if (shown->isVisible() && !shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                !below.contains(shown->objectName()))
                below.append(shown->objectName());
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    closer.start(20);
    int chosen = 0;
    for (QAction* act : window.commandSet().all()) {
        if (!act->isEnabled() || act->objectName() == QLatin1String("mnFileExit") ||
            act->objectName() == QLatin1String("mnOptionsTopMost"))
            continue;
        SCOPED_TRACE(act->objectName().toStdString());
        act->trigger();
        QCoreApplication::processEvents();
        ++chosen;
    }
    EXPECT_GT(chosen, 60);
    EXPECT_TRUE(below.isEmpty()) << below.join(QLatin1Char(' ')).toStdString();
    // The game may have changed on the way: it is not saved.
    fake.answers = {MsgAnswer::No, MsgAnswer::No};
    window.command(QStringLiteral("mnFileExit"))->trigger();
    EXPECT_FALSE(App.Running);
    setSettingsStorePath(QString());
}

} // namespace
