#include "gui/paintthrottle.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

void holdRepaints(QWidget& widget)
{
    if (!widget.updatesEnabled() || !widget.isVisible())
        return;
    widget.setUpdatesEnabled(false);
    QTimer::singleShot(RepaintIntervalMs, &widget, [held = QPointer<QWidget>(&widget)] {
        if (held)
            held->setUpdatesEnabled(true); // repaints the whole widget once
    });
}
