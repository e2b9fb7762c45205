#include "support/game_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginecontrols.h"
#include "engine/enginestate.h"
#include "files/savegame.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "play/gamecontrol.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "support/program_state.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

void GameTest::SetUp()
{
    ResetProgramState();
    ASSERT_TRUE(logFolder.isValid());
    Cfg.Sounds = true;
    Cfg.TryAgain = true;
    Cfg.EngineLog = true;
    Cfg.LogFile = logFolder.filePath(QStringLiteral("engine.htm"));
    setView(&shown);
    UpdateEngineControls(false);
    ResetClocks();
}

void GameTest::TearDown()
{
    setView(nullptr);
}

void GameTest::loadEngine(const char* name)
{
    Engine.EngineState = 1;
    Engine.EngineName = QString::fromLatin1(name);
    UpdateEngineControls(true);
}

QStringList GameTest::sentLines(bool toSlave)
{
    QFile log(Cfg.LogFile);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(log.readAll());
    // Main-engine lines are red, the slave's magenta.
    const QRegularExpression entry(QStringLiteral("<font color=\"(\\w+)\">(.*?)</font>"));
    QStringList lines;
    for (const auto& match : entry.globalMatch(text))
        if (match.captured(1) == (toSlave ? QLatin1String("magenta") : QLatin1String("red")))
            lines << match.captured(2);
    return lines;
}

void GameTest::forgetSent()
{
    QFile::remove(Cfg.LogFile);
}

QStringList GameTest::sounds() const
{
    QStringList names;
    for (const QString& path : fake.soundsPlayed)
        names << QFileInfo(path).baseName();
    return names;
}

void GameTest::playQuiet(std::initializer_list<const char*> sans)
{
    for (const char* san : sans)
        ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
}

bool GameTest::enabled(const char* name, int index) const
{
    return shown.command(QString::fromLatin1(name), index).enabled;
}

bool GameTest::ticked(const char* name) const
{
    return view().commandChecked(QString::fromLatin1(name));
}
