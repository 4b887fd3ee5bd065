#include <gtest/gtest.h>

#include <QGroupBox>

#include "TestSupport.h"

namespace talvo::test {
namespace {

// The map picture keeps its full size whatever the window's size or the panel's tab:
// its scroll bars sit beside it, never over it.
TEST(WindowLayout, TheMapIsNeverCoveredWhateverTheWindowSizeOrTab) {
    WindowFixture f;
    auto* frame = f.window.findChild<QGroupBox*>("frmMap");
    auto* hsb = f.window.findChild<QScrollBar*>("hsbMap");
    auto* vsb = f.window.findChild<QScrollBar*>("vsbMap");
    auto* tabs = f.window.findChild<QTabBar*>("tspConfiguration");
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(tabs, nullptr);
    for (const QSize size :
         {QSize(700, 500), QSize(800, 600), QSize(1100, 800), QSize(1400, 1000)}) {
        QRect firstFrame;
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            f.window.resize(size);
            QApplication::processEvents();
            const QRect map = f.canvas->geometry();
            SCOPED_TRACE(testing::Message()
                         << size.width() << "x" << size.height() << " tab " << tab);
            EXPECT_EQ(map.size(), QSize(945, 387));
            EXPECT_GT(hsb->geometry().top(), map.bottom());
            EXPECT_GT(vsb->geometry().left(), map.right());
            EXPECT_LE(hsb->geometry().bottom(), frame->contentsRect().bottom());
            // Switching tabs does not move or resize the map's frame.
            if (tab == 0) {
                firstFrame = frame->geometry();
            } else {
                EXPECT_EQ(frame->geometry(), firstFrame);
            }
        }
    }
}

}  // namespace
}  // namespace talvo::test
