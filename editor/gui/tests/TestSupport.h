#pragma once

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

#include "Dialogs.h"
#include "MainWindow.h"
#include "MapCanvas.h"
#include "model/Prompter.h"

namespace talvo::test {

// Records every message box; warnings answer with `warningAnswer`.
class RecordingPrompter : public Prompter {
  public:
    void caution(const std::string& text) override { cautions.push_back(text); }
    bool warning(const std::string& text) override {
        warnings.push_back(text);
        return warningAnswer;
    }
    std::string Last() const { return cautions.empty() ? std::string() : cautions.back(); }

    std::vector<std::string> cautions;
    std::vector<std::string> warnings;
    bool warningAnswer = true;
};

// Answers the common dialogs from queues set up by the test.
class ScriptedDialogs : public Dialogs {
  public:
    std::string OpenFileName(const std::string& title, const std::string&, int,
                             const std::string&) override {
        titles.push_back(title);
        return Pop(openNames);
    }
    std::string SaveFileName(const std::string& title, const std::string&, int,
                             const std::string&) override {
        titles.push_back(title);
        return Pop(saveNames);
    }
    std::optional<ColourValue> ChooseColour(ColourValue) override {
        if (colours.empty()) {
            return std::nullopt;
        }
        const ColourValue c = colours.front();
        colours.pop_front();
        return c;
    }
    SaveChoice AskSaveChanges(const std::string& text) override {
        questions.push_back(text);
        return saveChoice;
    }

    std::deque<std::string> openNames;
    std::deque<std::string> saveNames;
    std::deque<ColourValue> colours;
    std::vector<std::string> titles;
    std::vector<std::string> questions;
    SaveChoice saveChoice = SaveChoice::Cancel;

  private:
    static std::string Pop(std::deque<std::string>& q) {
        if (q.empty()) {
            return {};
        }
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

// A main window with recorded messages and scripted dialogs in a private program folder.
struct WindowFixture {
    WindowFixture() : window(&prompter, &dialogs, dir.path()) {
        window.resize(1100, 800);
        window.show();
        canvas = window.findChild<MapCanvas*>("picMap");
        window.popupMenu = [this](QMenu* menu, QPoint) { popups.push_back(menu->objectName()); };
    }

    QAction* Action(const char* name) { return window.findChild<QAction*>(name); }
    void Trigger(const char* name) { Action(name)->trigger(); }

    // Pixel on the map picture of a map point in the current view.
    QPoint Pixel(double x, double y) const {
        const MapView& v = const_cast<MainWindow&>(window).view();
        return QPoint(static_cast<int>((x * v.zoomFactor() - v.horizontal().value) / 15.0 + 0.5),
                      static_cast<int>((y * v.zoomFactor() - v.vertical().value) / 15.0 + 0.5));
    }
    void Click(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(canvas, button, {}, Pixel(x, y));
    }
    // Press at one map point, move to another, let the drag timer tick, release.
    void Drag(double x0, double y0, double x1, double y1) {
        QTest::mousePress(canvas, Qt::LeftButton, {}, Pixel(x0, y0));
        QTest::mouseMove(canvas, Pixel(x1, y1));
        WaitForTicks(2);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, Pixel(x1, y1));
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

    const Project& project() { return window.document().project(); }

    QTemporaryDir dir;
    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    MainWindow window;
    MapCanvas* canvas = nullptr;
    std::vector<QString> popups;
};

}  // namespace talvo::test
