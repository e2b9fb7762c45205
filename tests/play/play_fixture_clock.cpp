#include "play_fixture_clock.h"
#include "gui/wiring.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmlevelset.h"
#include "gui/frmmain.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "support/program_state.h"
#include "support/test_app.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

void ClockTest::SetUp()
{
    ResetProgramState();
    Cfg.Sounds = false;
    form = std::make_unique<frmMain>();
    form->Form_Load();
    ConnectBoardCommands(*form);
    ConnectLevelCommands(*form);
    ResetClocks();
}

void ClockTest::TearDown()
{
    form.reset();
    SetMainBoardView(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void ClockTest::startTimedGame(bool incMode, int initMinutes, int incTime, int incMove)
{
    Cfg.Depth = 0;
    Cfg.IncMode = incMode;
    Cfg.InitTime = static_cast<qint16>(initMinutes);
    Cfg.IncTime = static_cast<qint16>(incTime);
    Cfg.IncMove = static_cast<qint16>(incMove);
    Engine.EngineBlack = true;
    ApplyLevel();
}

void ClockTest::passSeconds(int seconds)
{
    for (int i = 0; i < 2 * seconds; ++i) {
        fake.clock += 0.5;
        if (fake.clock >= 86400.0)
            fake.clock -= 86400.0;
        ClockTick();
    }
}

void ClockTest::move(const char* san)
{
    ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
}

QString ClockTest::upperValue() const
{
    return form->lblTimeLeftUp->text();
}
QString ClockTest::lowerValue() const
{
    return form->lblTimeLeftDown->text();
}
QString ClockTest::upperRule() const
{
    return form->lblTimeRuleUp->text();
}
QString ClockTest::lowerRule() const
{
    return form->lblTimeRuleDown->text();
}
QString ClockTest::upperElapsed() const
{
    return form->lblTimeElapsedUp->text();
}
QString ClockTest::lowerElapsed() const
{
    return form->lblTimeElapsedDown->text();
}

QAction* ClockTest::levelCommand() const
{
    return form->command(QStringLiteral("mnEngineLevel"));
}
