#include "mapview/ScreenFit.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace talvo::mapview {

namespace {

// What a window manager adds around a window: a title bar and thin borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 64;

}  // namespace

void FitOnScreen(QWidget& window, QSize wanted) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        window.resize(wanted);
        return;
    }
    const QRect free = screen->availableGeometry();
    const QSize size = wanted.boundedTo(free.size() - QSize(kFrameWidth, kFrameHeight));
    window.resize(size);
    const int x = std::min(window.x(), free.left() + free.width() - size.width() - kFrameWidth);
    const int y = std::min(window.y(), free.top() + free.height() - size.height() - kFrameHeight);
    window.move(std::max(x, free.left()), std::max(y, free.top()));
}

}  // namespace talvo::mapview
