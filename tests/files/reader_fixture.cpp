#include "reader_fixture.h"

#include "core/board.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "files/pgnreader.h"
#include "shell/appstate.h"
#include "support/program_state.h"

#include <QFile>

void ReaderTest::SetUp()
{
    ResetProgramState();
    ASSERT_TRUE(folder.isValid());
    App.ProgramFolder = folder.path() + QLatin1Char('/');
    Game.GameFile.clear();
    setView(&fakeView);
    ResetMoveList();
    RedrawBoard();
}

void ReaderTest::TearDown()
{
    setView(nullptr);
}

QString ReaderTest::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

void ReaderTest::load(const QByteArray& bytes)
{
    Game.GameFile = writeFile(QStringLiteral("game.pgn"), bytes);
    LoadGameFile(false);
}

QStringList ReaderTest::sans()
{
    QStringList list;
    for (int ply = 1; ply <= Game.PlyCount; ++ply)
        list << Game.MoveSan[ply];
    return list;
}
