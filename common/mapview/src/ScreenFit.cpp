#include "mapview/ScreenFit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>
#include <algorithm>

namespace talvo::mapview {

namespace {

// What a window manager adds around a window: a title bar and thin borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 64;
// A title bar's icon and its minimise, maximise and close buttons, with their margins.
constexpr int kTitleBarButtons = 160;

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

void KeepTitleWhole(QMessageBox& box) {
    // The box sizes itself to its layout when shown, so the width goes in as a spacer.
    auto* layout = qobject_cast<QGridLayout*>(box.layout());
    if (layout == nullptr) {
        return;
    }
    QFont titleFont = box.font();
    titleFont.setBold(true);  // the bolder of the usual title bar fonts
    const int width =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                    layout->rowCount(), 0, 1, layout->columnCount());
}

}  // namespace talvo::mapview
