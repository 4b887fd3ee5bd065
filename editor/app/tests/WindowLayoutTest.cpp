#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <algorithm>

#include "WindowFixture.h"

namespace talvo::test {
namespace {

// The map picture takes the room the window has beside the panel, whatever the window's
// size or the panel's tab; its scroll bars sit beside it, never over it.
TEST(WindowLayout, TheMapFillsTheWindowAndGrowsWithIt) {
    WindowFixture f;
    auto* picture = f.window.findChild<QWidget*>("picMap");
    auto* panel = f.window.findChild<QWidget*>("frmConfiguration");
    auto* hsb = f.window.findChild<QScrollBar*>("hsbMap");
    auto* vsb = f.window.findChild<QScrollBar*>("vsbMap");
    auto* tabs = f.window.findChild<QTabBar*>("tspConfiguration");
    ASSERT_NE(tabs, nullptr);
    // Far zoomed in, so that the scroll bars show.
    for (int i = 0; i < 3; ++i) {
        f.Trigger("mnuZoomIn");
    }
    int lastWidth = 0;
    for (const QSize size : {QSize(1100, 800), QSize(1600, 1000), QSize(1920, 1080)}) {
        QRect firstMap;
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            f.window.resize(size);
            QApplication::processEvents();
            const QRect map(picture->mapTo(&f.window, QPoint(0, 0)), picture->size());
            SCOPED_TRACE(testing::Message()
                         << size.width() << "x" << size.height() << " tab " << tab);
            // All of the width the panel leaves, all of the height between the menu bar and
            // the status bar, less frames and the map's own scroll bars.
            const int free = size.width() - panel->width();
            const int high =
                f.window.statusBar()->geometry().top() - f.window.menuBar()->geometry().bottom();
            EXPECT_GT(map.width(), free - 60);
            EXPECT_GT(map.height(), high - 60);
            if (size.width() >= 1600) {
                EXPECT_GT(map.width() * map.height(), size.width() * size.height() * 2 / 5);
            }
            EXPECT_TRUE(hsb->isVisible());
            EXPECT_GT(hsb->mapTo(&f.window, QPoint(0, 0)).y(), map.bottom());
            EXPECT_GT(vsb->mapTo(&f.window, QPoint(0, 0)).x(), map.right());
            // Switching tabs does not move or resize the map.
            if (tab == 0) {
                firstMap = map;
            } else {
                EXPECT_EQ(map, firstMap);
            }
        }
        EXPECT_GT(firstMap.width(), lastWidth);
        lastWidth = firstMap.width();
    }
}

// The window opens at its design size (the screen's free area at most, and never less than
// its layout needs), so the map and the whole panel show without resizing it first.
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
    // The whole layout shows, unless the screen is too small for it; then the window
    // takes (nearly) the screen's free area.
    EXPECT_TRUE(area->viewport()->width() >= needed.width() ||
                window.width() >= available.width() - 40);
    EXPECT_TRUE(area->viewport()->height() >= needed.height() ||
                window.height() >= available.height() - 80);
    EXPECT_LE(window.frameGeometry().width(), available.width());
    EXPECT_LE(window.frameGeometry().height(), available.height());
    // The design size, 15480 x 11220 twips, where the screen has room for it.
    EXPECT_GE(window.width(), std::min(1032, available.width() - 40));
    EXPECT_GE(window.height(), std::min(748, available.height() - 80));
}

}  // namespace
}  // namespace talvo::test
