// Shared set-up for the level and clock tests: clean settings, record and clock state, a scripted
// Platform whose clock the tests move, and a recording view in place of the main window.
#pragma once

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/fake_view.h"

#include <QString>

#include <memory>

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A timed game (Level 0) against the computer playing Black, started by ApplyLevel.
    void startTimedGame(bool incMode, int initMinutes, int incTime, int incMove);
    // Lets whole seconds pass on the platform clock, ticking the main loop twice a second.
    void passSeconds(int seconds);
    // Records a SAN move through the game core, which charges the mover's clock.
    void move(const char* san);
    // The value, rule and elapsed texts of one label set.
    QString upperValue() const;
    QString lowerValue() const;
    QString upperRule() const;
    QString lowerRule() const;
    QString upperElapsed() const;
    QString lowerElapsed() const;
    QString upperHead() const;
    QString lowerHead() const;
    // Whether the Level command is shown pressed.
    bool levelTicked() const;

    FakePlatform fake;
    FakeView shown;
};
