#include "gui/publishcommands.h"

#include "gui/frmmain.h"
#include "gui/frmpublish.h"
#include "study/publish.h"

void ConnectPublishCommands(frmMain& form)
{
    form.onCommandEnabled(QStringLiteral("mnSearchOpening"), mnSearchOpening_Click);
    form.onCommandEnabled(QStringLiteral("mnSearchPosition"), mnSearchPosition_Click);
    form.onCommandEnabled(QStringLiteral("mnSearchEndgame"), mnSearchEndgame_Click);
    form.onCommandEnabled(QStringLiteral("mnQuorvinBitmap"), mnQuorvinBitmap_Click);
    form.onCommandEnabled(QStringLiteral("mnQuorvinPublish"),
                          [&form] { ShowPublishDialog(&form); });
    form.onCommandEnabled(QStringLiteral("mnEndgamesEndgames"), mnEndgamesEndgames_Click);
    for (int index : {ShareTwitter, ShareFacebook, ShareBlogger, ShareOther})
        form.onCommandEnabled(
            QStringLiteral("mnHelpShare"), [index] { mnHelpShare_Click(index); }, index);
}
