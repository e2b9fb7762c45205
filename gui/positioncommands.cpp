#include "gui/positioncommands.h"

#include "files/positions.h"
#include "files/savegame.h"
#include "gui/frmedittags.h"
#include "gui/frmmain.h"
#include "gui/frmposedit.h"

void ConnectPositionCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnPosCopy"), mnPosCopy_Click);
    form.onCommandEnabled(QStringLiteral("mnPosPaste"), mnPosPaste_Click);
    form.onCommandEnabled(QStringLiteral("mnPosLoad"), mnPosLoad_Click);
    form.onCommandEnabled(QStringLiteral("mnPosStore"), mnPosStore_Click);
    form.onCommandEnabled(QStringLiteral("mnMoveImport"), mnMoveImport_Click);
    form.onCommandEnabled(QStringLiteral("mnMovePaste"), mnMovePaste_Click);
    form.onCommandEnabled(QStringLiteral("mnPosEdit"), [&form] {
        if (!PromptSave())
            ShowPosEditDialog(&form);
    });
    form.onCommandEnabled(QStringLiteral("mnFileTags"), [&form] { ShowEditTagsDialog(&form); });
}
