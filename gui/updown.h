// An up-down control: the arrows of a spin box that step the text box beside it, and the rule
// every such number box follows.
#pragma once

class QLineEdit;
class QSpinBox;
class QWidget;

QSpinBox* makeUpDown(const char* name, int low, int high, QWidget* parent, int step = 1);
// The arrows write their value into box.
void stepBox(QSpinBox* updn, QLineEdit* box);
// The box's text changed: when it reads (over -32767..32767) as other than the accepted value,
// the accepted value becomes the text read over low..high and the box shows it. The arrows
// follow the accepted value. Returns whether the text was taken up.
bool acceptBoxText(QLineEdit* box, QSpinBox* updn, int& accepted, int low, int high);
