#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMessageBox>

#include "mapview/ScreenFit.h"
#include "ui/QtPlatform.h"

namespace talvo::display {
namespace {

TEST(QtPlatform, AShortMessageLeavesItsTitleWhole) {
    QMessageBox box(QMessageBox::Critical, "Caution!", "x", QMessageBox::Ok);
    mapview::KeepTitleWhole(box);
    box.show();
    QFont bold = box.font();
    bold.setBold(true);
    // The title and the title bar's buttons, which take well over 100 pixels.
    EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance("Caution!") + 100);
}

}  // namespace
}  // namespace talvo::display
