// Cost of redrawing the whole board at 800x800 pixels: the 64 squares set from the position and
// the widget painted once, offscreen, with the real pictures of the program folder.
#include "core/gamerecord.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/pieceimages.h"
#include "kessrin.h"
#include "shell/appstate.h"
#include "shell/settings.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    App.ProgramFolder = QStringLiteral(BENCH_PROGRAM_FOLDER "/");
    KessrinInit();
    resetRecord(false);
    LoadPieceImages();

    BoardView view;
    view.resize(800, 800);
    SetMainBoardView(&view);
    if (!view.setBoardPicture(App.ProgramFolder + QStringLiteral("IMAGES/BOARD.GIF")))
        std::fprintf(stderr, "board picture missing; timing the plain board\n");
    ShowCoordinates(true);
    QImage target(800, 800, QImage::Format_ARGB32_Premultiplied);

    const auto redraw = [&] {
        RedrawBoard();
        QPainter painter(&target);
        view.render(&painter);
    };
    redraw(); // first call scales the pictures for the square size
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        Game.Flipped = (i % 2) != 0; // every square changes picture
        const auto start = std::chrono::steady_clock::now();
        redraw();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("whole-board redraw at 800x800 over %d runs: median %.3f ms, 95th %.3f ms\n", runs,
                ms[ms.size() / 2], ms[ms.size() * 95 / 100]);
    SetMainBoardView(nullptr);
    return 0;
}
