// Helpers for the engine tests: scripts for the scripted engine, counts of open descriptors and
// child processes, and a fake Platform whose sleeps take real time.
#pragma once

#include "support/fake_platform.h"

#include <QString>
#include <QTemporaryDir>

#include <string>

// Path of the scripted engine executable.
QString ScriptedEnginePath();
// Writes script into dir and makes it the script of the next engine started.
void UseEngineScript(const QTemporaryDir& dir, const QString& script);
// Writes an executable "#!" file at path with content.
void WriteExecutable(const QString& path, const QString& content);
// Open descriptors of this process.
int OpenDescriptorCount();
// Processes whose parent is this process (running or not yet reaped).
int ChildProcessCount();

// Engines are real processes: each sleep lasts a real millisecond, while the scripted clock
// advances by clockStepMs, so a test can let 60 seconds pass in a fraction of a second.
class EnginePlatform : public FakePlatform {
public:
    void sleepMs(int milliseconds) override;
    // A short real pause stands for the idle wait, so that the engine's output keeps arriving.
    void waitForActivity(int /*maxMs*/, int /*descriptor*/) override { sleepMs(1); }
    int clockStepMs = 1;
};
