#pragma once
// The main window as the tests drive it: recorded messages, scripted dialogs, clicks and
// drags on the map in map units.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPoint>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MainWindow.h"
#include "MapCanvas.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "UiTestSupport.h"

namespace talvo::test {

// The window's caption as shown while the network is saved ("[*]" marks where the
// modified mark goes).
inline QString Caption(const QWidget& window) {
    return QString(window.windowTitle()).remove("[*]");
}

// A main window with recorded messages and scripted dialogs in a private program folder.
struct WindowFixture {
    WindowFixture() : window(&prompter, &dialogs, dir.path()) {
        window.resize(1500, 900);
        window.show();
        canvas = window.canvas();
        picture = window.findChild<QWidget*>("picMap");
        window.popupMenu = [this](QMenu* menu, QPoint) { popups.push_back(menu->objectName()); };
    }

    QAction* Action(const char* name) { return window.findChild<QAction*>(name); }
    void Trigger(const char* name) { Action(name)->trigger(); }

    // Pixel on the map picture of a map point in the current view.
    QPoint Pixel(double x, double y) const { return canvas->pixelOf(scene::Point{x, y}).toPoint(); }
    void Click(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(picture, button, {}, Pixel(x, y));
    }
    // Press at one map point, move to another, let the drag timer tick, release.
    void Drag(double x0, double y0, double x1, double y1) {
        QTest::mousePress(picture, Qt::LeftButton, {}, Pixel(x0, y0));
        QTest::mouseMove(picture, Pixel(x1, y1));
        WaitForTicks(2);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, Pixel(x1, y1));
    }
    // Lets the drag timer run; the canvas's own handler runs before this counter's.
    void WaitForTicks(int count) {
        int ticks = 0;
        const auto connection =
            QObject::connect(canvas->dragTimer(), &QTimer::timeout, [&ticks] { ++ticks; });
        EXPECT_TRUE(QTest::qWaitFor([&ticks, count] { return ticks >= count; }, 5000));
        QObject::disconnect(connection);
    }
    void UseTool(const char* action) {
        window.runDialog = [](QDialog& d) {
            d.findChild<QPushButton*>("cmdOK")->click();
            return d.result();
        };
        Trigger(action);
    }

    const Project& project() { return window.model().project(); }

    QTemporaryDir dir;
    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    MainWindow window;
    MapCanvas* canvas = nullptr;
    QWidget* picture = nullptr;  // where the map is drawn and takes the mouse
    std::vector<QString> popups;
};

}  // namespace talvo::test
