// Shared set-up for the game-core tests: a clean record, settings and engine state, a scripted
// Platform and a recording view in place of the main window.
#pragma once

#include <gtest/gtest.h>

#include "core/gamerecord.h"
#include "support/fake_platform.h"
#include "support/fake_view.h"

#include <QStringList>

#include <initializer_list>
#include <vector>

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Plays moves given in SAN in mode 0; fails the test when one is refused.
    void playQuiet(std::initializer_list<const char*> sans);
    // Plays one SAN move in the given mode and returns DoMove's answer.
    bool play(const char* san, int mode);
    // Base names ("MOVE", "CHECK2") of the sounds played so far.
    QStringList sounds() const;
    // Marks every board image with a picture no plain redraw shows, so redrawn squares stand out.
    void markBoard();
    // Squares (0..127) whose image was redrawn since markBoard, in ascending order.
    std::vector<int> redrawnSquares() const;
    // Picture index shown for square.
    int pictureOf(int square) const;
    // Whether the logic left the command enabled.
    bool enabled(const char* command) const;

    FakePlatform fake;
    FakeView fakeView;
};

// Square number of a name such as "e4".
int sq(const char* name);
