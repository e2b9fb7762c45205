#include "core_fixture.h"

#include "core/domove.h"
#include "gui/movecommands.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "play/clockstate.h"
#include "play/sides.h"
#include "shell/appstate.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "gui/pieceimages.h"
#include "shell/settings.h"
#include "support/program_state.h"
#include "support/test_app.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    form = std::make_unique<frmMain>();
    form->Form_Load();
    ConnectBoardCommands(*form);
    board = MainBoardView();
    ConnectMoveCommands(*form);
    RedrawBoard();
}

void CoreTest::TearDown()
{
    form.reset();
    SetMainBoardView(nullptr);
    // Let the window system forget the closed windows before the application goes at exit.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
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
    for (int image = 0; image < 64; ++image)
        board->setCellPicture(image, Unpainted);
}

std::vector<int> CoreTest::redrawnSquares() const
{
    std::vector<int> squares;
    for (int image = 0; image < 64; ++image)
        if (board->cellPicture(image) != Unpainted)
            squares.push_back(SquareOfImage(image));
    std::sort(squares.begin(), squares.end());
    return squares;
}

int CoreTest::pictureOf(int square) const
{
    return board->cellPicture(ImageOfSquare(square));
}
