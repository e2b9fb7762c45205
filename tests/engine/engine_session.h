// A clean program with a recording view in place of the main window, the engine log in a temporary
// folder and a fake Platform whose sleeps take real time, for tests that run engines through the
// program.
#pragma once

#include <gtest/gtest.h>

#include "engine_test_support.h"

#include <QStringList>

#include <functional>
#include <memory>

#include "support/fake_view.h"

class EngineSession : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes script the main engine's and loads it.
    bool loadScripted(const QString& script, bool showInfo = false);
    // Polls (sleeping when idle) until done holds or 10 real seconds pass; false on time-out.
    bool pollUntil(const std::function<bool()>& done);
    // Log entries as "colour: text".
    QStringList logEntries() const;
    // The lines sent to the main engine ("red" entries).
    QStringList sentToMain() const;
    QString panel(const char* key) const;
    bool enabled(const char* command) const;
    // Plays SAN moves quietly.
    void playQuiet(std::initializer_list<const char*> sans);

    EnginePlatform fake;
    QTemporaryDir dir;
    QString logPath;
    FakeView shown;
};
