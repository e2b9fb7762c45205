#include "core_fixture.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/movelist.h"
#include "shell/settings.h"
#include "support/program_state.h"

#include <QFileInfo>

#include <algorithm>

namespace {
constexpr int Unpainted = BlackMatedImage; // never shown by a plain or highlighted redraw
}

int sq(const char* name)
{
    return MakeSquare(ColumnOfLetter(name[0]), RowOfDigit(name[1]));
}

void CoreTest::SetUp()
{
    ResetProgramState();
    Cfg.Sounds = true;
    setView(&fakeView);
    ResetMoveList();
    ShowMoveList(false);
    RedrawBoard();
}

void CoreTest::TearDown()
{
    setView(nullptr);
}

void CoreTest::playQuiet(std::initializer_list<const char*> sans)
{
    for (const char* san : sans)
        ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
}

bool CoreTest::play(const char* san, int mode)
{
    return DoMove(KessrinAlg2Move(Game.Board, san), mode, 0);
}

QStringList CoreTest::sounds() const
{
    QStringList names;
    for (const QString& path : fake.soundsPlayed)
        names << QFileInfo(path).baseName();
    return names;
}

void CoreTest::markBoard()
{
    fakeView.squares.fill(Unpainted);
}

std::vector<int> CoreTest::redrawnSquares() const
{
    std::vector<int> squares;
    for (int image = 0; image < 64; ++image)
        if (fakeView.squarePicture(image) != Unpainted)
            squares.push_back(SquareOfImage(image));
    std::sort(squares.begin(), squares.end());
    return squares;
}

int CoreTest::pictureOf(int square) const
{
    return fakeView.squarePicture(ImageOfSquare(square));
}

bool CoreTest::enabled(const char* command) const
{
    return fakeView.command(QString::fromLatin1(command)).enabled;
}
