// Keeps windows above all others while the "TopMost" setting is on.
#pragma once

class QWidget;

// Puts the window in the topmost band when "TopMost" is on, without moving or resizing it;
// does nothing otherwise.
void applyTopMost(QWidget& window);
// Puts the window in or out of the topmost band, keeping its place and size.
void setTopMost(QWidget& window, bool topMost);
