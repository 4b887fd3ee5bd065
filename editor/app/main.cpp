// Editor: "Editor" opens the window, "Editor FILE.tin" opens that project in it, and
// "Editor --export PROJECT.tin RUN_DIR" writes the engine's input without any window.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "MainWindow.h"
#include "model/BatchExport.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--export") == 0) {
        return talvo::RunBatchExport(argc, argv, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    talvo::MainWindow window;
    window.show();
    if (argc > 1) {
        window.OpenProjectFile(QString::fromLocal8Bit(argv[1]).toStdString(),
                               talvo::ProjectLayout::Current);
    }
    return app.exec();
}
