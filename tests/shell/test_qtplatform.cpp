#include "gui/qtplatform.h"
#include "support/test_app.h"

#include <QApplication>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The platform's own clock must agree with the local wall clock, or clocks and engine time limits
// drift from what the user sees.
TEST(QtPlatformClock, TimeOfDayIsLocalSecondsSinceMidnight)
{
    ensureApplication();
    QtPlatform host;
    const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const double now = host.timeOfDay();
    const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    ASSERT_GE(now, 0.0);
    ASSERT_LT(now, 86400.0);
    if (after < before)
        GTEST_SKIP() << "midnight passed during the test";
    EXPECT_GE(now, before - 0.01);
    EXPECT_LE(now, after + 0.01);
}

// Answers the next file dialog from inside its event loop: records the folder it opened in and
// chooses name there.
void answerFileDialog(QString& openedIn, const QString& folder, const QString& name)
{
    QTimer::singleShot(0, [&openedIn, folder, name] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(window); dialog && dialog->isVisible()) {
                openedIn = dialog->directory().absolutePath();
                dialog->setDirectory(folder);
                dialog->selectFile(name);
                QMetaObject::invokeMethod(dialog, "accept");
                return;
            }
    });
}

// A file dialog opens where the last one chose its file; the save dialog adds the extension, and
// "All files" takes a program without one.
TEST(QtPlatformFiles, DialogsRememberTheFolderAndCompleteTheName)
{
    ensureApplication();
    if (!TestProgramShowsWindows)
        GTEST_SKIP();
    QtPlatform host;
    QTemporaryDir games;
    ASSERT_TRUE(games.isValid());
    QFile engine(games.filePath(QStringLiteral("engine")));
    ASSERT_TRUE(engine.open(QIODevice::WriteOnly));
    engine.close();
    const QString folder = QDir(games.path()).absolutePath();

    QString openedIn;
    answerFileDialog(openedIn, folder, QStringLiteral("engine"));
    EXPECT_EQ(host.openFileDialog(QStringLiteral("Load Engine"),
                                  QStringLiteral("Engine files (*.*)|*.*|All files (*.*)|*.*")),
              games.filePath(QStringLiteral("engine")));
    EXPECT_NE(openedIn, folder);

    answerFileDialog(openedIn, folder, QStringLiteral("mine"));
    EXPECT_EQ(host.saveFileDialog(QStringLiteral("Save As"),
                                  QStringLiteral("Game files (*.pgn)|*.pgn|All files (*.*)|*.*"),
                                  QStringLiteral("(In progress).pgn"), QStringLiteral("pgn")),
              games.filePath(QStringLiteral("mine.pgn")));
    EXPECT_EQ(openedIn, folder);
}

} // namespace
