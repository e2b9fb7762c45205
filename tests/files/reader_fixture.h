// Shared set-up for the game-file tests: a clean program state in a scratch program folder, a
// scripted Platform and a recording view.
#pragma once

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/fake_view.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes bytes to a file of the scratch folder and returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // Reads bytes as the user's game file through LoadGameFile.
    void load(const QByteArray& bytes);
    // The SAN of the recorded plies.
    static QStringList sans();

    QTemporaryDir folder;
    FakePlatform fake;
    FakeView fakeView;
};
