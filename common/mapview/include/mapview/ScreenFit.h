#pragma once

#include <QSize>

class QMessageBox;
class QWidget;

namespace talvo::mapview {

// Sizes a top-level window to `wanted`, or to its screen's free area (less room for the
// title bar and frame) where that is smaller, and moves it so that it lies wholly on that
// area: no window opens partly below the screen's edge.
void FitOnScreen(QWidget& window, QSize wanted);

// Widens a message box to what its title needs beside the window manager's icon and
// buttons: a short message otherwise makes the box so narrow that "Caution!" is cut.
void KeepTitleWhole(QMessageBox& box);

}  // namespace talvo::mapview
