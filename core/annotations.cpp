#include "core/annotations.h"

#include "core/gamerecord.h"
#include "files/savegame.h"
#include "shell/view.h"

void cmbAnnotation_Click()
{
    if (Game.CurPly == 0)
        return;
    const int nag = view().annotationIndex();
    if (nag < 0 || nag == Game.MoveNag[Game.CurPly])
        return;
    Game.MoveNag[Game.CurPly] = nag;
    RefreshPlyLine(Game.CurPly);
    SetModified();
}

void txtComment_Change()
{
    const QString text = view().commentText();
    // The box shows every line break as "\n"; showing a comment must not rewrite it.
    if (text == Game.MoveComment[Game.CurPly] ||
        text == CommentAsShown(Game.MoveComment[Game.CurPly]))
        return;
    Game.MoveComment[Game.CurPly] = text;
    RefreshPlyLine(Game.CurPly);
    SetModified();
}

void RefreshPlyLine(int k)
{
    if (k < 0 || k >= view().moveRowCount())
        return;
    QString line = view().moveRowText(k);
    if (line.endsWith(QLatin1Char('*')))
        line.chop(1);
    if (k > 0) {
        for (int i = 0; i < 2; ++i)
            if (line.endsWith(QLatin1Char('!')) || line.endsWith(QLatin1Char('?')))
                line.chop(1);
        line += AnnotationSymbol(Game.MoveNag[k]);
    }
    if (!Game.MoveComment[k].isEmpty())
        line += QLatin1Char('*');
    view().setMoveRowText(k, line);
}

QString CommentAsShown(QString comment)
{
    comment.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    comment.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return comment;
}
