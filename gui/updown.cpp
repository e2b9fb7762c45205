#include "gui/updown.h"

#include "shell/parseclamped.h"

#include <QLineEdit>
#include <QObject>
#include <QSignalBlocker>
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

void stepBox(QSpinBox* updn, QLineEdit* box)
{
    QObject::connect(updn, &QSpinBox::valueChanged, box, [box](int value) {
        if (box->text() != QString::number(value))
            box->setText(QString::number(value));
    });
}

bool acceptBoxText(QLineEdit* box, QSpinBox* updn, int& accepted, int low, int high)
{
    bool taken = false;
    if (ParseClamped(box->text(), -32767, 32767) != accepted) {
        accepted = ParseClamped(box->text(), low, high);
        box->setText(QString::number(accepted)); // comes back here once, now without effect
        taken = true;
    }
    const QSignalBlocker quiet(updn);
    updn->setValue(accepted);
    return taken;
}
