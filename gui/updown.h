// An up-down control: the arrows of a spin box that step the text box beside it.
#pragma once

class QSpinBox;
class QWidget;

QSpinBox* makeUpDown(const char* name, int low, int high, QWidget* parent, int step = 1);
