#include "EditorCommands.h"

#include <QPrinter>
#include <algorithm>
#include <filesystem>

#include "common/ProjectRecords.h"
#include "core/Dialogs.h"
#include "core/EditorModel.h"
#include "grouping/AddGroupCommand.h"
#include "grouping/GroupSettingDialog.h"
#include "grouping/GroupTexts.h"
#include "grouping/StreetNameDialog.h"
#include "launcher/CellIndexTable.h"
#include "launcher/RunTalvo.h"
#include "model/EngineInputExport.h"
#include "model/ExportChecks.h"
#include "model/ProjectWriter.h"
#include "platform/Prompter.h"
#include "printing/MapPrinting.h"

namespace talvo {

EditorCommands::EditorCommands(EditorCommandHooks hooks, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)) {
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    askRunDirectory = [this] {
        RunDirectoryDialog dialog(
            runDirectoryMemory_,
            FirstRunDirectory(QString::fromStdString(hooks_.model->fileName())), hooks_.window);
        runDialog(dialog);
        return dialog.result();
    };
    choosePrinter = [this](QPrinter& printer) {
        return ChoosePrinter(printer, hooks_.window, "Print Map");
    };
}

EditorCommands::~EditorCommands() = default;

void EditorCommands::caution(const std::string& text) {
    hooks_.prompter->caution(text);
}

bool EditorCommands::checksStop() {
    const Project& project = hooks_.model->project();
    if (!hooks_.showProblems) {
        return ValidateForExport(project, *hooks_.prompter);
    }
    // One run of the checks shows every problem; only warnings left are asked in turn,
    // each with the values behind it.
    const std::vector<ExportProblem> problems = ListExportProblems(project);
    hooks_.showProblems(problems);
    if (std::any_of(problems.begin(), problems.end(),
                    [](const ExportProblem& p) { return !p.warning; })) {
        return true;
    }
    for (const ExportProblem& problem : problems) {
        const std::string question =
            problem.detail.empty() ? problem.text : problem.text + "\n" + problem.detail;
        if (!hooks_.prompter->warning(question)) {
            return true;
        }
    }
    return false;
}

void EditorCommands::addStreet() {
    addGroup(GroupKind::StreetName);
}
void EditorCommands::addDelayGroup() {
    addGroup(GroupKind::DelayResult);
}
void EditorCommands::addPlotGroup() {
    addGroup(GroupKind::CtmPlot);
}

void EditorCommands::store(const NetworkTables& edited, const std::string& what) {
    if (const EditResult stored = hooks_.model->SetGroups(edited, what); !stored) {
        caution(stored.message());
    }
}

void EditorCommands::addGroup(GroupKind kind) {
    AddGroupHooks hooks;
    hooks.caution = [this](const std::string& text) { caution(text); };
    hooks.askStreetName = [this](StreetRecord& street) {
        StreetNameDialog dialog(street, hooks_.window);
        return runDialog(dialog) == QDialog::Accepted;
    };
    NetworkTables edited = hooks_.model->tables();
    if (AddGroupFromSelection(kind, edited, hooks_.selectedCells(), hooks)) {
        store(edited, TextsFor(kind).addCommand);
    }
}

void EditorCommands::editStreets() {
    editGroups(GroupKind::StreetName);
}
void EditorCommands::editDelayGroups() {
    editGroups(GroupKind::DelayResult);
}
void EditorCommands::editPlotGroups() {
    editGroups(GroupKind::CtmPlot);
}

void EditorCommands::editGroups(GroupKind kind) {
    NetworkTables edited = hooks_.model->tables();
    {
        GroupSettingDialog dialog(kind, edited, *hooks_.prompter, hooks_.window);
        runDialog(dialog);
    }
    // The dialog changes its groups as the user goes; what it leaves is one step.
    store(edited, TextsFor(kind).editCommand);
}

void EditorCommands::exportInputFile() {
    const Project& project = hooks_.model->project();
    if (checksStop()) {
        return;
    }
    const std::string scenarioPath = hooks_.dialogs->SaveFileName(
        "Save Input Data File Dialog", "Fortan Input (*.fin)|*.fin|Text File (*.txt)|*.txt", 1, "");
    if (scenarioPath.empty()) {
        return;
    }
    const std::string planPath = hooks_.dialogs->SaveFileName(
        "Save Time Plan File Dialog", "Time Plan (*.tpl)|*.tpl|Text File (*.txt)|*.txt", 1, "");
    if (planPath.empty()) {
        return;
    }
    // Both files or neither: a failed write is shown and never leaves a scenario beside a
    // plan of another network.
    if (const EditResult written = WriteInputFiles(scenarioPath, planPath, project); !written) {
        caution(written.message());
    }
}

void EditorCommands::runTalvo() {
    namespace fs = std::filesystem;
    RunSteps steps;
    steps.caution = [this](const std::string& text) { caution(text); };
    steps.validateStops = [this] { return checksStop(); };
    steps.askRunDirectory = [this] { return askRunDirectory().toStdString(); };
    steps.writeRunFiles = [this](const fs::path& runDir) -> std::optional<std::string> {
        const EditResult written = WriteRunFiles(runDir.string(), hooks_.model->project());
        if (!written) {
            return written.message();
        }
        return std::nullopt;
    };
    steps.startEngine = [this](const fs::path& script, const fs::path& runDir) {
        // Owned by the window; it deletes itself when the user closes it.
        auto* window = new RunWindow(*hooks_.prompter, hooks_.window);
        lastRunWindow_ = window;
        window->show();
        window->start({hooks_.programDir, QString::fromStdString(script.string()),
                       QString::fromStdString(runDir.string()),
                       refine_ && hooks_.model->params().optimizationOn},
                      RunExpectationOf(hooks_.model->params()),
                      FormatProject(hooks_.model->project()),
                      CellIndexTable(hooks_.model->tables()));
    };
    RunTalvo(hooks_.programDir.toStdString(), steps);
}

void EditorCommands::printMap() {
    const QImage picture = hooks_.drawMapForPrint();
    // The bitmap is kept for the user; printing works from the picture in memory, so a
    // program directory that cannot take it does not stop the print.
    if (auto error = SavePrintBitmap(picture, hooks_.programDir)) {
        caution(*error);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName("TALVO map");
    if (!choosePrinter(printer)) {
        return;
    }
    PrintPicture(picture, printer, *hooks_.prompter);
}

void EditorCommands::saveMapPicture() {
    const std::string path = hooks_.dialogs->SaveFileName(
        "Save Map Picture", "PNG Picture (*.png)|*.png", 1, "talvo.png");
    if (path.empty()) {
        return;
    }
    QString file = QString::fromStdString(path);
    if (!file.endsWith(".png", Qt::CaseInsensitive)) {
        file += ".png";
    }
    if (auto error = SaveMapPicture(hooks_.drawMapForPrint(), file)) {
        caution(*error);
    }
}

}  // namespace talvo
