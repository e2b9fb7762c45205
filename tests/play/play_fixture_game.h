// Shared set-up for the game-controller tests: clean settings, record, engine and clock state, a
// scripted Platform, an offscreen main window with the game commands connected, and an engine
// log in a temporary folder that shows the lines the engine was sent.
#pragma once

#include <gtest/gtest.h>

#include "support/fake_platform.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class frmMain;
class QAction;

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
    QAction* command(const char* name, int index = -1) const;
    bool ticked(const char* name) const;

    FakePlatform fake;
    std::unique_ptr<frmMain> form;
    QTemporaryDir logFolder;
};
