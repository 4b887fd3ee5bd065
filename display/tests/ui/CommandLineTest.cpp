// The Display program's command line, run as a user runs it, on a machine without a
// display: the texts and errors need none.

#include <gtest/gtest.h>

#include <QProcess>

#include "ui/CommandLine.h"

namespace talvo::display {
namespace {

struct Case {
    QStringList arguments;
    int exitCode;
    const char* output;  // begins the standard output (exit 0) or holds the error
};

TEST(DisplayCommandLine, TextsAndErrorsPrintWithoutADisplay) {
    const Case cases[] = {
        {{"--help"}, 0, "Usage: Display [PROJECT.tin OCCUPANCY.occ PLAN.tpl]\n"},
        {{"-h"}, 0, "Usage: Display [PROJECT.tin OCCUPANCY.occ PLAN.tpl]\n"},
        {{"--version"}, 0, "Display 1."},
        {{"--frobnicate"}, 2, "Display: Unknown option 'frobnicate'.\nUsage: Display"},
        {{"--plot"}, 2, "Display: --plot needs at least one plot file.\nUsage: Display"},
        {{"a.tin", "b.occ", "c.tpl", "d"}, 2, "but 4 were given.\nUsage: Display"},
        {{"a.tin", "b.occ"}, 2, "or none, but 2 were given.\nUsage: Display"},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    for (const Case& c : cases) {
        QProcess display;
        display.setProcessEnvironment(environment);
        display.start(TALVO_DISPLAY_EXE, c.arguments);
        ASSERT_TRUE(display.waitForFinished(30000)) << c.arguments.join(' ').toStdString();
        const QString out = display.readAllStandardOutput();
        const QString err = display.readAllStandardError();
        EXPECT_EQ(display.exitCode(), c.exitCode) << err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(out.startsWith(c.output)) << out.toStdString();
        } else {
            EXPECT_TRUE(err.contains(c.output)) << err.toStdString();
        }
    }
}

TEST(DisplayCommandLine, FilesAreForTheMenuOrForPlotWindows) {
    const DisplayCommandLine run = ParseDisplayCommandLine({"Display", "p.tin", "o.occ", "t.tpl"});
    EXPECT_EQ(run.action, DisplayCommandLine::Action::OpenWindow);
    EXPECT_EQ(run.runFiles, QStringList({"p.tin", "o.occ", "t.tpl"}));
    const DisplayCommandLine plots = ParseDisplayCommandLine({"Display", "--plot", "a", "b"});
    EXPECT_EQ(plots.plotFiles, QStringList({"a", "b"}));
    EXPECT_TRUE(plots.runFiles.isEmpty());
}

}  // namespace
}  // namespace talvo::display
