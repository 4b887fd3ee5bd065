// Display: plays engine results back on the project's map and draws time-space plots.
//   Display                                      an empty window
//   Display PROJECT.tin OCCUPANCY.occ PLAN.tpl   opens the three files as "&Open" does
//   Display --plot FILE.plt                      opens a plot window on a plot file
#include <QApplication>

#include "ui/CommandLine.h"
#include "ui/GraphicDisplayWindow.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    talvo::display::QtPrompter prompter;
    talvo::display::QtFileChooser chooser;
    talvo::display::QtPicturePrinter printer;
    const talvo::display::DisplayPlatform platform{&prompter, &chooser, &printer,
                                                   QCoreApplication::applicationDirPath()};
    talvo::display::GraphicDisplayWindow window(platform);
    window.show();
    talvo::display::OpenFromArguments(window, app.arguments().mid(1));
    return app.exec();
}
