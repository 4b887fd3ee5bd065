#include <gtest/gtest.h>

#include <QGroupBox>
#include <QScreen>
#include <QScrollArea>
#include <algorithm>

#include "WindowFixture.h"

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

// The window opens at the size its layout needs (the screen's free area at most), so the
// map and the whole panel show without resizing it first.
TEST(WindowLayout, OpensLargeEnoughForTheWholeLayout) {
    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    MainWindow window(&prompter, &dialogs, dir.path());
    window.show();
    QApplication::processEvents();
    auto* area = window.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    const QSize needed = area->widget()->minimumSize();
    const QSize available = window.screen()->availableGeometry().size();
    EXPECT_GE(needed.width(), 1032);
    EXPECT_GE(needed.height(), 748);
    // The whole layout shows, unless the screen is too small for it; then the window
    // takes (nearly) the screen's free area.
    EXPECT_TRUE(area->viewport()->width() >= needed.width() ||
                window.width() >= available.width() - 40);
    EXPECT_TRUE(area->viewport()->height() >= needed.height() ||
                window.height() >= available.height() - 80);
    // At most the free area of the screen.
    EXPECT_LE(window.frameGeometry().width(), available.width());
    EXPECT_LE(window.frameGeometry().height(), available.height());
    // Never the toolkit's small default.
    EXPECT_GE(window.width(), std::min(needed.width(), available.width() - 40));
    EXPECT_GE(window.height(), std::min(needed.height(), available.height() - 80));
}

}  // namespace
}  // namespace talvo::test
