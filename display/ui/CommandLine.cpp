#include "ui/CommandLine.h"

#include "model/DisplayMessages.h"
#include "ui/GraphicDisplayWindow.h"

namespace talvo::display {

void OpenFromArguments(GraphicDisplayWindow& window, const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return;
    }
    if (arguments.first() == "--plot") {
        for (const QString& path : arguments.mid(1)) {
            if (FileExists(path.toStdString())) {
                window.openPlotWindow(path);
            } else {
                window.prompter().caution(msg::kFileNotFound, path.toStdString());
            }
        }
        return;
    }
    window.openFiles(arguments.value(0), arguments.value(1), arguments.value(2));
}

}  // namespace talvo::display
