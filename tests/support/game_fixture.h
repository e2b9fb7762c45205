// Shared set-up for the game-controller tests: clean settings, record, engine and clock state, a
// scripted Platform, a recording view in place of the main window, and an engine log in a
// temporary folder that shows the lines the engine was sent. Window tests install a main window
// over the recording view; ticked() then reads the window's commands.
#pragma once

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/fake_view.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An engine counts as loaded (idle) with this name; no process runs, lines sent are logged.
    void loadEngine(const char* name = "Stockfish 15");
    // Lines sent to the main engine (toSlave false) or the slave since the test began or the
    // last forgetSent.
    QStringList sentLines(bool toSlave = false);
    void forgetSent();
    // Base names of the sounds played so far.
    QStringList sounds() const;
    // Plays SAN moves quietly.
    void playQuiet(std::initializer_list<const char*> sans);
    // Whether the logic left the command enabled (recorded by the fake view).
    bool enabled(const char* name, int index = -1) const;
    // Whether the command shown is ticked.
    bool ticked(const char* name) const;

    FakePlatform fake;
    FakeView shown;
    QTemporaryDir logFolder;
};
