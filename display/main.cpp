// Display: plays engine results back on the project's map and draws time-space plots.
//   Display                                  empty window
//   Display PROJECT.tin OCCUPANCY.occ PLAN.tpl   opens the three files as "&Open" does
//   Display --plot FILE.plt                  opens a plot window on a plot file
#include <QApplication>
#include <QStringList>

#include "model/DisplayMessages.h"
#include "model/DisplaySession.h"
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

    const QStringList arguments = app.arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == "--plot") {
        for (const QString& path : arguments.mid(1)) {
            if (talvo::display::FileExists(path.toStdString())) {
                window.openPlotWindow(path);
            } else {
                prompter.caution(talvo::display::msg::kFileNotFound, path.toStdString());
            }
        }
    } else if (!arguments.isEmpty()) {
        window.openFiles(arguments.value(0), arguments.value(1), arguments.value(2));
    }
    return app.exec();
}
