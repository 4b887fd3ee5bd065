#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "UiTestSupport.h"
#include "ui/DisplayCanvas.h"
#include "ui/GraphicDisplayWindow.h"

namespace talvo::display {
namespace {

// Repaints the map while each message box is up, as a real modal box lets the window do.
class RepaintingPrompter : public test::RecordingPrompter {
  public:
    std::function<void()> whileShown;
    void caution(const std::string& text, const std::string& detail = {}) override {
        RecordingPrompter::caution(text, detail);
        if (whileShown) {
            whileShown();
        }
    }
};

std::string FirstLines(const std::string& text, int lines) {
    std::istringstream in(text);
    std::string out, line;
    for (int i = 0; i < lines && std::getline(in, line); ++i) {
        out += line + "\n";
    }
    return out;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct HostileFile {
    const char* name;
    bool occupancy;  // else the plan
    std::function<std::string(const std::string&)> make;
};

// The files an interrupted or damaged run leaves, each opened beside the good other two.
const HostileFile kHostileFiles[] = {
    {"cut.occ", true, [](const std::string& t) { return FirstLines(t, 1000); }},
    {"empty.occ", true, [](const std::string&) { return std::string(); }},
    {"nan.occ", true,
     [](const std::string& t) {
         return Replaced(t, "    0         1           0.00", "    0         1            nan");
     }},
    {"huge.occ", true,
     [](const std::string& t) {
         return Replaced(t, "    0         1           0.00", "    0         1          1e39");
     }},
    {"counts.occ", true, [](const std::string& t) { return t + t; }},
    {"cut.tpl", false, [](const std::string& t) { return FirstLines(t, 20); }},
    {"empty.tpl", false, [](const std::string&) { return std::string(); }},
    {"state.tpl", false,
     [](const std::string& t) { return Replaced(t, "  1       32", "  7       32"); }},
    {"time.tpl", false,
     [](const std::string& t) { return Replaced(t, "  1       32", "  1       3x"); }},
};

TEST(HostileRunFilesTest, ARefusedRunFileIsReportedAndTheMapRepaintsSafely) {
    RepaintingPrompter prompter;
    test::ScriptedChooser chooser;
    test::RecordingPrinter printer;
    QTemporaryDir programDirectory;
    GraphicDisplayWindow window(
        DisplayPlatform{&prompter, &chooser, &printer, programDirectory.path()});
    window.resize(1040, 800);
    window.show();
    auto* canvas = window.findChild<DisplayCanvas*>("picDisplay");
    ASSERT_NE(canvas, nullptr);
    prompter.whileShown = [canvas] { canvas->grab(); };

    const test::RunFiles good = test::ArterialRun();
    for (const bool afterAGoodRun : {false, true}) {
        for (const HostileFile& file : kHostileFiles) {
            SCOPED_TRACE(std::string(file.name) + (afterAGoodRun ? " after a good run" : ""));
            if (afterAGoodRun) {
                ASSERT_TRUE(window.openFiles(QString::fromStdString(good.project),
                                             QString::fromStdString(good.occupancy),
                                             QString::fromStdString(good.plan)));
            }
            const std::string hostile = test::WriteTempFile(
                file.name, file.make(test::ReadText(file.occupancy ? good.occupancy : good.plan)));
            prompter.clear();
            const bool opened =
                window.openFiles(QString::fromStdString(good.project),
                                 QString::fromStdString(file.occupancy ? hostile : good.occupancy),
                                 QString::fromStdString(file.occupancy ? good.plan : hostile));
            EXPECT_FALSE(opened);
            EXPECT_EQ(prompter.cautions.size(), 1U);
            EXPECT_FALSE(window.session().loaded());
            canvas->grab();
        }
    }
}

}  // namespace
}  // namespace talvo::display
