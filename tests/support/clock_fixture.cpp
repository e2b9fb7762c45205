#include "support/clock_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "support/program_state.h"

void ClockTest::SetUp()
{
    ResetProgramState();
    Cfg.Sounds = false;
    setView(&shown);
    ResetClocks();
}

void ClockTest::TearDown()
{
    setView(nullptr);
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

namespace {
QString clockText(const FakeView& shown, bool upper, ClockField field)
{
    const auto found = shown.clocks.find({upper, field});
    return found == shown.clocks.end() ? QString() : found->second;
}
} // namespace

QString ClockTest::upperHead() const
{
    return clockText(shown, true, ClockField::Head);
}
QString ClockTest::lowerHead() const
{
    return clockText(shown, false, ClockField::Head);
}
QString ClockTest::upperValue() const
{
    return clockText(shown, true, ClockField::Value);
}
QString ClockTest::lowerValue() const
{
    return clockText(shown, false, ClockField::Value);
}
QString ClockTest::upperRule() const
{
    return clockText(shown, true, ClockField::Rule);
}
QString ClockTest::lowerRule() const
{
    return clockText(shown, false, ClockField::Rule);
}
QString ClockTest::upperElapsed() const
{
    return clockText(shown, true, ClockField::Elapsed);
}
QString ClockTest::lowerElapsed() const
{
    return clockText(shown, false, ClockField::Elapsed);
}

bool ClockTest::levelTicked() const
{
    return view().commandChecked(QStringLiteral("mnEngineLevel"));
}
