// The whole program in a child process: SIGTERM, SIGINT and SIGHUP end it through its closing
// steps with status 0, whether the main loop or a modal dialog runs at the time.
#include "support/test_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// A program folder of its own, so that the automatic copy lands in scratch space: the program
// copied (it finds its data beside its real path), everything else linked.
bool makeProgramFolder(const QString& folder)
{
    const QDir built(testProgramFolder());
    for (const QFileInfo& entry : built.entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
        const QString target = folder + QLatin1Char('/') + entry.fileName();
        if (entry.fileName() == QLatin1String("veldran")) {
            if (!QFile::copy(entry.absoluteFilePath(), target))
                return false;
        } else if (!entry.fileName().startsWith(QLatin1String("AUTOSAVE"))) {
            QFile::link(entry.absoluteFilePath(), target);
        }
    }
    return true;
}

// A program folder and a home folder of their own for one run of the program.
struct ScratchInstall {
    QTemporaryDir folder;
    QTemporaryDir home;
    bool ready() const
    {
        return folder.isValid() && home.isValid() && makeProgramFolder(folder.path());
    }
    QString settingsFile() const
    {
        return home.filePath(QStringLiteral("config/Chess Quorvin/Chess Quorvin.ini"));
    }
};

// True once the process has its own handler for SIGTERM (bit 15 of the caught-signal mask).
bool catchesTerm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

void startProgram(QProcess& program, const QString& folder, const QString& home,
                  const QStringList& arguments, const QString& display = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    if (!display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    } else {
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    program.setProcessEnvironment(environment);
    program.start(folder + QStringLiteral("/veldran"), arguments);
}

// Until the program's handlers are in place, then a little longer: into the loop, or the dialog,
// that runs while the user thinks.
void waitUntilRunning(QProcess& program)
{
    ASSERT_TRUE(program.waitForStarted());
    for (int waited = 0; !catchesTerm(program.processId()) && waited < 600; ++waited)
        QThread::msleep(50);
    ASSERT_TRUE(catchesTerm(program.processId()));
    QThread::msleep(500);
}

TEST(QuitSignals, EachRunsTheClosingStepsAndExitsCleanly)
{
    ensureApplication();
    struct Row {
        int signal;
        bool autoSave;
        bool withGame; // a PGN on the command line; without it the new-game dialog is open
    } rows[] = {{SIGTERM, true, true}, {SIGINT, true, true}, {SIGHUP, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.signal);
        ScratchInstall scratch;
        ASSERT_TRUE(scratch.ready());
        const QTemporaryDir& folder = scratch.folder;
        const QTemporaryDir& home = scratch.home;
        const QString ini = scratch.settingsFile();
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue(QStringLiteral("Options/AutoSave"), row.autoSave ? "1" : "0");
            settings.setValue(QStringLiteral("Options/ShowNew"), "1");
        }
        const QString game = home.filePath(QStringLiteral("game.pgn"));
        QFile pgn(game);
        ASSERT_TRUE(pgn.open(QIODevice::WriteOnly));
        pgn.write("[Event \"Signal\"]\n\n1. e4 e5 2. Nf3 *\n");
        pgn.close();

        QProcess program;
        startProgram(program, folder.path(), home.path(),
                     row.withGame ? QStringList{game} : QStringList{});
        waitUntilRunning(program);

        ::kill(static_cast<pid_t>(program.processId()), row.signal);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);

        QFile copy(folder.filePath(QStringLiteral("AUTOSAVE.PGN")));
        if (row.autoSave) {
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            const QByteArray text = copy.readAll();
            EXPECT_TRUE(text.contains("1. e4 e5") && text.contains("2. Nf3")) << text.toStdString();
        } else {
            EXPECT_FALSE(copy.exists());
        }
        // The settings were written on the way out: the window's place is among them.
        QSettings saved(ini, QSettings::IniFormat);
        EXPECT_TRUE(saved.contains(QStringLiteral("Gui/Left")));
    }
}

TEST(QuitSignals, WindowPlaceStaysPutOverRestartsUnderAWindowManager)
{
    ensureApplication();
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfb.isEmpty() || openbox.isEmpty())
        GTEST_SKIP() << "needs Xvfb and openbox";
    int number = 140 + static_cast<int>(QCoreApplication::applicationPid() % 200);
    while (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    const QString display = QStringLiteral(":%1").arg(number);
    QProcess server;
    server.start(xvfb, {display, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
    ASSERT_TRUE(server.waitForStarted());
    QThread::msleep(1000);
    QProcess manager;
    QProcessEnvironment managerEnvironment = QProcessEnvironment::systemEnvironment();
    managerEnvironment.insert(QStringLiteral("DISPLAY"), display);
    manager.setProcessEnvironment(managerEnvironment);
    manager.start(openbox, {});
    ASSERT_TRUE(manager.waitForStarted());
    QThread::msleep(1000);

    ScratchInstall scratch;
    ASSERT_TRUE(scratch.ready());
    const QTemporaryDir& folder = scratch.folder;
    const QTemporaryDir& home = scratch.home;
    const QString ini = scratch.settingsFile();
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Gui/Left"), "3000");
        settings.setValue(QStringLiteral("Gui/Top"), "2250");
        settings.setValue(QStringLiteral("Options/ShowNew"), "0");
    }
    // The frame's title bar would move the window up by its height on every start.
    for (int start = 0; start < 3; ++start) {
        SCOPED_TRACE(start);
        QProcess program;
        startProgram(program, folder.path(), home.path(), {}, display);
        waitUntilRunning(program);
        QThread::msleep(1000); // mapped and placed by the window manager
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        ASSERT_TRUE(program.waitForFinished(20000));
        QSettings saved(ini, QSettings::IniFormat);
        EXPECT_EQ(saved.value(QStringLiteral("Gui/Left")).toString(), QStringLiteral("3000"));
        EXPECT_EQ(saved.value(QStringLiteral("Gui/Top")).toString(), QStringLiteral("2250"));
    }
    manager.kill();
    manager.waitForFinished();
    server.terminate();
    server.waitForFinished();
}

} // namespace
