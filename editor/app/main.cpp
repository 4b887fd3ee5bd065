// Editor: "Editor" opens the window, "Editor FILE.tin" opens that project in it, and
// "Editor --export PROJECT.tin RUN_DIR" writes the engine's input without any window
// (see EditorCommandLine.h).
#include <QApplication>

#include "EditorCommandLine.h"
#include "MainWindow.h"

int main(int argc, char** argv) {
    if (const int status = talvo::AnswerBeforeWindow(argc, argv); status >= 0) {
        return status;
    }
    QApplication app(argc, argv);
    const talvo::EditorCommandLine line = talvo::ParseEditorCommandLine(app.arguments());
    if (const int status = talvo::AnswerCommandLine(line); status >= 0) {
        return status;
    }
    talvo::MainWindow window;
    window.show();
    if (!line.projectFile.isEmpty()) {
        window.OpenAndShowProject(line.projectFile.toStdString());
    }
    return app.exec();
}
