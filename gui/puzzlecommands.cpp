#include "gui/puzzlecommands.h"

#include "gui/frmmain.h"
#include "shell/settings.h"
#include "study/puzzles.h"

void ConnectPuzzleCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnEndgamesStart"), mnEndgamesStart_Click);
    for (int index = 0; index < static_cast<int>(std::size(PuzzleSeriesTable)); ++index)
        form.onCommandEnabled(
            QStringLiteral("mnEndgames"), [index] { mnEndgames_Click(index); }, index);
    form.tickOnly(QStringLiteral("mnEndgames"), Cfg.EpdMenu);
    for (int service = 0; service < 3; ++service)
        form.onCommandEnabled(
            QStringLiteral("mnEndgamesShare"), [service] { mnEndgamesShare_Click(service); },
            service);
    form.onCommandEnabled(QStringLiteral("mnEndgamesPublishYahoo"), mnEndgamesPublishYahoo_Click);
    form.onCommandEnabled(QStringLiteral("mnEndgamesPublishOther"), mnEndgamesPublishOther_Click);
}
