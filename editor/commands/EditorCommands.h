#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "grouping/GroupTable.h"
#include "launcher/RunDirectoryDialog.h"
#include "launcher/RunWindow.h"
#include "model/ExportChecks.h"

class QDialog;
class QPrinter;
class QWidget;

namespace talvo {

class Dialogs;
class EditorModel;
class Prompter;
struct NetworkTables;

// What the commands need from the editor window.
struct EditorCommandHooks {
    EditorModel* model = nullptr;  // read, and changed only through its commands
    Prompter* prompter = nullptr;
    Dialogs* dialogs = nullptr;
    QWidget* window = nullptr;  // parent of the dialogs and the run windows
    QString programDir;         // where the engine, its start script and inout.dir live
    // Cell IDs of the multi-selection, in selection order.
    std::function<std::vector<int>()> selectedCells;
    // The whole map at zoom 1 without scrolling, drawn as the map is drawn on screen.
    std::function<QImage()> drawMapForPrint;
    // Shows every problem of a check run at once (none: the list goes). Without it each
    // check speaks in turn through the prompter and the first refusal stops.
    std::function<void(const std::vector<ExportProblem>&)> showProblems;
};

// The grouping, export, run and print commands of the editor's menus. A grouping command
// or dialog works on a copy of the tables and hands it to the model as one command.
class EditorCommands : public QObject {
    Q_OBJECT

  public:
    explicit EditorCommands(EditorCommandHooks hooks, QObject* parent = nullptr);
    ~EditorCommands() override;

    // "&Add" > street name, delay result and CTM plot grouping.
    void addStreet();
    void addDelayGroup();
    void addPlotGroup();
    // "&Grouping" > the three group setting dialogs.
    void editStreets();
    void editDelayGroups();
    void editPlotGroups();
    // "&Export Input File ...".
    void exportInputFile();
    // "&TALVO ...".
    void runTalvo();
    // "&Print by Paint ...": saves "talvo.bmp" in the program directory, then prints.
    void printMap();
    // Saves the map picture as a PNG file chosen by the user.
    void saveMapPicture();

    // Seams for tests and other front ends: how the run directory and the printer are
    // chosen. By default the run-directory dialog and Qt's print dialog are shown.
    std::function<QString()> askRunDirectory;
    std::function<bool(QPrinter&)> choosePrinter;
    // How the modal dialogs of the commands run; tests answer them here.
    std::function<int(QDialog&)> runDialog;

    // The window of the last run started, while it is open.
    RunWindow* lastRunWindow() const { return lastRunWindow_; }
    // Whether "&TALVO ..." asks the engine to refine the GA's plan (--refine). A setting of
    // the runs for as long as the editor runs, not of the project: project files stay as
    // every reader knows them.
    bool refine() const { return refine_; }
    void setRefine(bool refine) { refine_ = refine; }

  private:
    void addGroup(GroupKind kind);
    void editGroups(GroupKind kind);
    void caution(const std::string& text);
    // The checks before an export or a run: true when they stop it.
    bool checksStop();
    void store(const NetworkTables& edited, const std::string& what);

    EditorCommandHooks hooks_;
    RunDirectoryMemory runDirectoryMemory_;
    QPointer<RunWindow> lastRunWindow_;
    bool refine_ = false;
};

}  // namespace talvo
