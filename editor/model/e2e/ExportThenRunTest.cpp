// The way a user's network reaches the engine: the project file is exported by the
// window-less export command into a run directory, inout.dir names that directory, and
// TALVO runs it to its report.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace talvo {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class Scratch {
  public:
    explicit Scratch(const std::string& name)
        : path_(fs::temp_directory_path() /
                ("talvo_e2e_" + name + "_" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ExportThenRun, ArterialProjectRunsToItsReport) {
    const fs::path example = fs::path(TALVO_SOURCE_DIR) / "examples" / "arterial";
    Scratch runDir("run");
    Scratch programDir("program");

    const std::string exportCommand = Quote(TALVO_EXPORT_EXE) + " --export " +
                                      Quote((example / "arterial.tin").string()) + " " +
                                      Quote(runDir.path().string()) + " > " +
                                      Quote((programDir.path() / "export.txt").string()) + " 2>&1";
    ASSERT_EQ(RunCommand(exportCommand), 0) << ReadText(programDir.path() / "export.txt");
    // The bundled engine input is this project's export.
    EXPECT_EQ(ReadText(runDir.path() / "input.fin"), ReadText(example / "input.fin"));
    EXPECT_EQ(ReadText(runDir.path() / "plan.tpl"), ReadText(example / "plan.tpl"));

    std::ofstream(programDir.path() / "inout.dir", std::ios::binary)
        << runDir.path().string() << "/\r\n";
    const std::string engineCommand = "cd " + Quote(programDir.path().string()) + " && " +
                                      Quote(TALVO_ENGINE_EXE) + " > console.txt 2>&1";
    const int status = RunCommand(engineCommand);
    const std::string console = ReadText(programDir.path() / "console.txt");
    ASSERT_EQ(status, 0) << console;
    EXPECT_NE(console.find("Stop - Program terminated."), std::string::npos) << console;
    const std::string report = ReadText(runDir.path() / "output_exist.out");
    EXPECT_NE(report.find("Number of Loadings:    6\r\n"), std::string::npos) << report;
}

}  // namespace
}  // namespace talvo
