// Widgets that an engine changes thousands of times a second are repainted at most once per
// RepaintIntervalMs: the first change holds their repaints back for that long, and the changes
// made meanwhile are painted together.
#pragma once

class QWidget;

constexpr int RepaintIntervalMs = 25;

void holdRepaints(QWidget& widget);
