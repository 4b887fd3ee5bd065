#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
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
            // All of the width the panel leaves, all of the height between the tool bar and
            // the status bar, less frames and the map's own scroll bars.
            const int free = size.width() - panel->width();
            const int high = f.window.statusBar()->geometry().top() -
                             f.window.findChild<QWidget*>("tbrTools")->geometry().bottom();
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

// The window opens with the map as its main area, fitted to the project opened, beside the
// configuration dock, which shows the whole panel; all within the screen's free area.
TEST(WindowLayout, OpensWithTheMapAsTheMainAreaBesideTheWholePanel) {
    QSettings("TALVO", "Editor").clear();  // a first session: nothing remembered
    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    MainWindow window(&prompter, &dialogs, dir.path());
    window.show();
    QApplication::processEvents();
    // Within the screen's free area, unless that is smaller than the layout.
    const QSize available = window.screen()->availableGeometry().size();
    const QSize least = window.layout()->minimumSize();
    EXPECT_LE(window.width(), std::max(available.width(), least.width()));
    EXPECT_LE(window.height(), std::max(available.height(), least.height()));
    window.resize(1400, 900);  // the first size on a screen with room for it
    dialogs.openNames = {std::string(TALVO_APP_TEST_DATA) + "/arterial.tin"};
    window.findChild<QAction*>("mnuOpen")->trigger();
    QApplication::processEvents();
    auto* area = window.findChild<QScrollArea*>("scrConfiguration");
    ASSERT_NE(area, nullptr);
    auto* picture = window.findChild<QWidget*>("picMap");
    // The whole panel's width shows, and the map is wider than the dock.
    EXPECT_GE(area->viewport()->width(), area->widget()->minimumSizeHint().width());
    EXPECT_GT(picture->width(), area->width());
    // Remembered among the recent projects.
    emit window.findChild<QMenu*>("mnuRecent")->aboutToShow();
    ASSERT_NE(window.findChild<QAction*>("mnuRecent1"), nullptr);
    EXPECT_TRUE(window.findChild<QAction*>("mnuRecent1")->text().endsWith("/arterial.tin"));
    // Fitted: every cell of the project lies on the picture, and not at zoom 1.
    EXPECT_NE(window.view().zoom(), 1.0);
    for (const CellRecord& cell : window.model().tables().cells) {
        EXPECT_TRUE(picture->rect().contains(
            window.canvas()->pixelOf(scene::Point{cell.x, cell.y}).toPoint()))
            << cell.cellID;
    }
}

}  // namespace
}  // namespace talvo::test
