#pragma once

#include <QSize>

class QWidget;

namespace talvo::mapview {

// Sizes a top-level window to `wanted`, or to its screen's free area (less room for the
// title bar and frame) where that is smaller, and moves it so that it lies wholly on that
// area: no window opens partly below the screen's edge.
void FitOnScreen(QWidget& window, QSize wanted);

}  // namespace talvo::mapview
