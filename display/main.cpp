// Display: plays engine results back on the project's map and draws time-space plots.
//   Display                                      an empty window
//   Display PROJECT.tin OCCUPANCY.occ PLAN.tpl   opens the three files as "&Open" does
//   Display --plot FILE.plt...                   a plot window on each plot file, no other
//   Display --help | --version                   prints the text, opens no window
#include <QApplication>
#include <memory>

#include "mapview/ScreenFit.h"
#include "platform/QtPrompter.h"
#include "ui/CommandLine.h"
#include "ui/GraphicDisplayWindow.h"
#include "ui/PlotWindow.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
    if (const int status = talvo::display::AnswerBeforeWindow(argc, argv); status >= 0) {
        return status;
    }
    QApplication app(argc, argv);
    const auto line = talvo::display::ParseDisplayCommandLine(app.arguments());
    if (const int status = talvo::display::AnswerCommandLine(line); status >= 0) {
        return status;
    }
    talvo::QtPrompter prompter;
    talvo::display::QtFileChooser chooser;
    talvo::display::QtPicturePrinter printer(prompter);
    const talvo::display::DisplayPlatform platform{&prompter, &chooser, &printer,
                                                   QCoreApplication::applicationDirPath()};
    talvo::display::GraphicDisplayWindow window(platform);
    talvo::display::OpenFromCommandLine(window, line);
    // Plots given on the command line open in windows of their own, without an empty
    // playback window beside them; the program ends with the last of them.
    const auto plots = window.findChildren<talvo::display::PlotWindow*>();
    if (line.plotFiles.isEmpty() || plots.isEmpty()) {
        talvo::mapview::FitOnScreen(window, window.sizeHint());
        window.show();
    } else {
        auto open = std::make_shared<qsizetype>(plots.size());
        for (auto* plot : plots) {
            QObject::connect(plot, &QObject::destroyed, &app, [open, &window] {
                if (--*open == 0 && !window.isVisible()) {
                    QCoreApplication::quit();
                }
            });
        }
    }
    return app.exec();
}
