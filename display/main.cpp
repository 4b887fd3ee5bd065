// Display: plays engine results back on the project's map and draws time-space plots.
//   Display                                      an empty window
//   Display PROJECT.tin OCCUPANCY.occ PLAN.tpl   opens the three files as "&Open" does
//   Display --plot FILE.plt...                   opens a plot window on each plot file
//   Display --help | --version                   prints the text, opens no window
#include <QApplication>

#include "ui/CommandLine.h"
#include "ui/GraphicDisplayWindow.h"
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
    talvo::display::QtPrompter prompter;
    talvo::display::QtFileChooser chooser;
    talvo::display::QtPicturePrinter printer;
    const talvo::display::DisplayPlatform platform{&prompter, &chooser, &printer,
                                                   QCoreApplication::applicationDirPath()};
    talvo::display::GraphicDisplayWindow window(platform);
    window.show();
    talvo::display::OpenFromCommandLine(window, line);
    return app.exec();
}
