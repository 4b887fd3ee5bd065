#include "model/BatchExport.h"

#include <ostream>
#include <string>

#include "common/ProjectReader.h"
#include "model/EngineInputExport.h"
#include "platform/Prompter.h"

namespace talvo {

namespace {

// Warnings are printed and answered OK; refusals are printed as errors.
class ConsolePrompter : public Prompter {
  public:
    ConsolePrompter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void caution(const std::string& text, const std::string& = {}) override {
        err_ << "Caution! " << text << '\n';
    }
    bool warning(const std::string& text) override {
        out_ << "Warning! " << text << '\n';
        return true;
    }

  private:
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

int RunBatchExport(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc != 4 || std::string(argv[1]) != "--export") {
        err << "Usage: " << (argc > 0 ? argv[0] : "Editor") << " --export PROJECT.tin RUN_DIR\n";
        return 2;
    }
    const std::string projectPath = argv[2];
    const std::string runDirectory = argv[3];
    const ProjectReadResult read = ReadProject(projectPath, ProjectLayout::Current);
    if (!read.ok) {
        err << "Caution! " << kIncorrectFileFormat << " (" << read.detail << ")\n";
        return 1;
    }
    ConsolePrompter prompter(out, err);
    if (!ExportToRunDirectory(read.project, runDirectory, prompter)) {
        return 1;
    }
    out << "Wrote input.fin and plan.tpl into " << runDirectory << '\n';
    return 0;
}

}  // namespace talvo
