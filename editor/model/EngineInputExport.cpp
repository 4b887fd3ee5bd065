#include "model/EngineInputExport.h"

#include <filesystem>
#include <optional>

#include "model/AtomicFile.h"
#include "model/ExportChecks.h"
#include "model/RunInProgress.h"
#include "model/ScenarioWriter.h"
#include "platform/Prompter.h"

namespace talvo {

namespace {

EditResult FromFailure(const std::string& failure) {
    return failure.empty() ? EditResult::Done() : EditResult::Refused(failure);
}

}  // namespace

EditResult WriteInputFiles(const std::string& scenarioPath, const std::string& planPath,
                           const Project& project) {
    return FromFailure(WriteFilesReplacing(
        {{scenarioPath, FormatScenario(project)}, {planPath, FormatPlan(project)}}));
}

namespace {

// What is wrong with the directory the input goes into, or nothing.
std::optional<std::string> RunDirectoryProblem(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(dir, error);
    const std::string named = "The output directory is invalid.  '" + dir.string() + "' ";
    if (status.type() == fs::file_type::not_found) {
        return named + "does not exist.";
    }
    if (error) {
        return named + "cannot be used (" + error.message() + ").";
    }
    if (!fs::is_directory(status)) {
        return named + "is not a directory.";
    }
    // The running engine reads its plan file late and rewrites its results until it ends.
    if (RunInProgress(dir)) {
        return RunInProgressMessage(dir);
    }
    return std::nullopt;
}

}  // namespace

EditResult WriteRunFiles(const std::string& runDirectory, const Project& project) {
    const std::filesystem::path dir(runDirectory);
    if (const auto problem = RunDirectoryProblem(dir)) {
        return EditResult::Refused(*problem);
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
