#include "InstallEditorCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <memory>

#include "EditorCommands.h"
#include "MainWindow.h"
#include "QtDialogs.h"
#include "QtPrompter.h"
#include "printing/DrawMapForPrint.h"

namespace talvo {

namespace {

// The real boxes and dialogs live as long as the commands that use them.
class OwnedQtInteraction : public QObject {
  public:
    explicit OwnedQtInteraction(QWidget* window)
        : QObject(window), prompter(window), dialogs(window) {}
    QtPrompter prompter;
    QtDialogs dialogs;
};

void Connect(MainWindow& window, const char* actionName, EditorCommands* commands,
             void (EditorCommands::*command)()) {
    if (auto* action = window.findChild<QAction*>(actionName)) {
        QObject::connect(action, &QAction::triggered, commands, command);
    }
}

void AddSavePictureEntry(MainWindow& window, EditorCommands* commands) {
    auto* print = window.findChild<QAction*>("mnuPrint");
    auto* file = window.findChild<QMenu*>("mnuFile");
    if (print == nullptr || file == nullptr) {
        return;
    }
    const QList<QAction*> entries = file->actions();
    const qsizetype at = entries.indexOf(print);
    auto* save = new QAction("Save Map &Picture ...", file);
    save->setObjectName("mnuSaveMapPicture");
    file->insertAction(at + 1 < entries.size() ? entries[at + 1] : nullptr, save);
    QObject::connect(save, &QAction::triggered, commands, &EditorCommands::saveMapPicture);
}

}  // namespace

EditorCommands* InstallEditorCommands(MainWindow& window, Prompter& prompter, Dialogs& dialogs,
                                      const QString& programDir) {
    EditorCommandHooks hooks;
    hooks.project = &window.document().project();
    hooks.prompter = &prompter;
    hooks.dialogs = &dialogs;
    hooks.window = &window;
    hooks.programDir = programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir;
    hooks.takeSnapshot = [&window] { window.document().TakeSnapshot(); };
    hooks.multiSelection = [&window] { return window.editor().selection().multiSelection; };
    hooks.redraw = [&window] { window.RedrawMap(); };
    hooks.drawMapForPrint = [&window] {
        return DrawMapForPrint(window.document().project(), window.colours(),
                               window.editor().selection());
    };
    auto* commands = new EditorCommands(std::move(hooks), &window);
    commands->setObjectName("editorCommands");

    Connect(window, "mnuAddStreet", commands, &EditorCommands::addStreet);
    Connect(window, "munSpecialCell", commands, &EditorCommands::addDelayGroup);
    Connect(window, "mnuAddCTMPlot", commands, &EditorCommands::addPlotGroup);
    Connect(window, "mnuStreet", commands, &EditorCommands::editStreets);
    Connect(window, "mnuRoadAttention", commands, &EditorCommands::editDelayGroups);
    Connect(window, "mnuCTMPlot", commands, &EditorCommands::editPlotGroups);
    Connect(window, "mnuGenerateFortanInputFile", commands, &EditorCommands::exportInputFile);
    Connect(window, "mnuCTM", commands, &EditorCommands::runTalvo);
    Connect(window, "mnuPrint", commands, &EditorCommands::printMap);
    AddSavePictureEntry(window, commands);
    return commands;
}

EditorCommands* InstallEditorCommands(MainWindow& window) {
    auto* owned = new OwnedQtInteraction(&window);
    return InstallEditorCommands(window, owned->prompter, owned->dialogs);
}

}  // namespace talvo
