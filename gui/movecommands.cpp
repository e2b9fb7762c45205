#include "gui/movecommands.h"

#include "core/annotations.h"
#include "core/domove.h"
#include "core/moveentry.h"
#include "core/movelist.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

// Left/Right step through the game and Home/End jump to its ends while the board or the move
// list has the focus; text boxes keep these keys for editing.
class NavigationKeys : public QObject {
public:
    NavigationKeys(frmMain& form) : QObject(&form), form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const char* name = nullptr;
        switch (key->key()) {
        case Qt::Key_Left:
            name = "mnMoveBack";
            break;
        case Qt::Key_Right:
            name = "mnMoveForward";
            break;
        case Qt::Key_Home:
            name = "mnMoveStart";
            break;
        case Qt::Key_End:
            name = "mnMoveEnd";
            break;
        default:
            return false;
        }
        if (QAction* action = form.command(QString::fromLatin1(name));
            action && action->isEnabled())
            action->trigger();
        return true;
    }

private:
    frmMain& form;
};

} // namespace

void ConnectMoveCommands(frmMain& form)
{
    form.onCommand(QStringLiteral("mnMoveRetract"), mnMoveRetract_Click);
    form.onCommand(QStringLiteral("mnMoveStart"), mnMoveStart_Click);
    form.onCommand(QStringLiteral("mnMoveBack"), mnMoveBack_Click);
    form.onCommand(QStringLiteral("mnMoveForward"), mnMoveForward_Click);
    form.onCommand(QStringLiteral("mnMoveEnd"), mnMoveEnd_Click);
    form.onCommand(QStringLiteral("mnMoveDel"), mnMoveDel_Click);
    form.onCommand(QStringLiteral("mnMoveType"), mnMoveType_Click);
    form.onCommand(QStringLiteral("mnMoveResign"), mnMoveResign_Click);
    form.command(QStringLiteral("mnMoveType"))->setEnabled(true);

    // The tick of "Offer / Accept a Draw" is the user's pending offer; the handler alone sets it.
    QAction* draw = form.command(QStringLiteral("mnMoveDraw"));
    draw->setCheckable(true);
    QObject::connect(draw, &QAction::triggered, &form, [draw](bool checked) {
        draw->setChecked(!checked);
        mnMoveDraw_Click();
    });
    MarkHandled(draw);

    QObject::connect(form.lstMoveText, &QListWidget::currentRowChanged, &form,
                     [] { lstMoveText_Click(); });
    QObject::connect(form.cmbAnnotation, &QComboBox::currentIndexChanged, &form,
                     [] { cmbAnnotation_Click(); });
    QObject::connect(form.txtComment, &QPlainTextEdit::textChanged, &form,
                     [] { txtComment_Change(); });
    QObject::connect(form.txtMove, &QLineEdit::returnPressed, &form, [] { txtMove_KeyPress(13); });

    auto* keys = new NavigationKeys(form);
    form.lstMoveText->installEventFilter(keys);
    if (BoardView* board = MainBoardView()) {
        QObject::connect(board, &BoardView::squareClicked, &form,
                         [](int image, Qt::MouseButton) { imgSquares_MouseDown(image); });
        board->setFocusPolicy(Qt::ClickFocus);
        board->installEventFilter(keys);
    }
    ShowMoveList(false);
}
