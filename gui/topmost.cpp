#include "gui/topmost.h"

#include "shell/settings.h"

#include <QWidget>

void setTopMost(QWidget& window, bool topMost)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost)
        return;
    const bool visible = window.isVisible();
    const QRect geometry = window.geometry();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    // Changing window flags hides a shown window; bring it back where it was.
    if (visible) {
        window.setGeometry(geometry);
        window.show();
    }
}

void applyTopMost(QWidget& window)
{
    if (Cfg.TopMost)
        setTopMost(window, true);
}
