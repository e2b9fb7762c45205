#include "gui/speechcommands.h"

#include "gui/frmmain.h"
#include "study/speech.h"

#include <QMenu>

void ConnectSpeechCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnQuorvinReadMove"), mnQuorvinReadMove_Click);
    form.onCommandEnabled(QStringLiteral("mnQuorvinReadPos"), mnQuorvinReadPos_Click);
    for (int index = 0; index < 8; ++index) {
        form.onCommandEnabled(
            QStringLiteral("mnQuorvinReadFile"), [index] { mnQuorvinReadFile_Click(index); },
            index);
        form.onCommandEnabled(
            QStringLiteral("mnQuorvinReadRank"), [index] { mnQuorvinReadRank_Click(index); },
            index);
    }
    if (QMenu* lines = form.commandSet().menu(QStringLiteral("mnQuorvinReadLine")))
        lines->setEnabled(true);
    form.onCommandEnabled(QStringLiteral("mnQuorvinStopRead"), mnQuorvinStopRead_Click);
}
