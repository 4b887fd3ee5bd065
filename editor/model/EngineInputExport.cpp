#include "model/EngineInputExport.h"

#include <filesystem>

#include "model/AtomicFile.h"
#include "model/ExportChecks.h"
#include "model/Prompter.h"
#include "model/ScenarioWriter.h"

namespace talvo {

namespace {

EditResult FromFailure(const std::string& failure) {
    return failure.empty() ? EditResult::Done() : EditResult::Refused(failure);
}

}  // namespace

EditResult WriteScenarioFile(const std::string& path, const Project& project) {
    return FromFailure(WriteFileReplacing(path, FormatScenario(project)));
}

EditResult WritePlanFile(const std::string& path, const Project& project) {
    return FromFailure(WriteFileReplacing(path, FormatPlan(project)));
}

EditResult WriteInputFiles(const std::string& scenarioPath, const std::string& planPath,
                           const Project& project) {
    return FromFailure(WriteFilesReplacing(
        {{scenarioPath, FormatScenario(project)}, {planPath, FormatPlan(project)}}));
}

EditResult WriteRunFiles(const std::string& runDirectory, const Project& project) {
    const std::filesystem::path dir(runDirectory);
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        return EditResult::Refused("The output directory is invalid.");
    }
    return WriteInputFiles((dir / "input.fin").string(), (dir / "plan.tpl").string(), project);
}

bool ExportToRunDirectory(const Project& project, const std::string& runDirectory,
                          Prompter& prompter) {
    if (ValidateForExport(project, prompter)) {
        return false;
    }
    const EditResult written = WriteRunFiles(runDirectory, project);
    if (!written.ok()) {
        prompter.caution(written.message());
        return false;
    }
    return true;
}

}  // namespace talvo
