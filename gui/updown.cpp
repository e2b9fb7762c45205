#include "gui/updown.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <QStyle>

QSpinBox* makeUpDown(const char* name, int low, int high, QWidget* parent, int step)
{
    auto* updn = new QSpinBox(parent);
    updn->setObjectName(QString::fromLatin1(name));
    updn->setRange(low, high);
    updn->setSingleStep(step);
    updn->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // The number is shown by the text box; the spin box keeps only its arrows.
    if (auto* own = updn->findChild<QLineEdit*>())
        own->setVisible(false);
    updn->setFrame(false);
    updn->setFixedWidth(updn->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    updn->setFocusPolicy(Qt::NoFocus);
    return updn;
}
