#pragma once
// Test data files: the copies under engine/tests/data, and scratch run directories.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace talvo::test {

inline std::filesystem::path DataDir() {
    return std::filesystem::path(TALVO_SOURCE_DIR) / "engine" / "tests" / "data";
}

// input.fin of a reference run under engine/tests/data, or else of a bundled example.
inline std::filesystem::path ScenarioPath(const std::string& name) {
    const std::filesystem::path reference = DataDir() / "reference-runs" / name / "input.fin";
    if (std::filesystem::exists(reference)) {
        return reference;
    }
    return std::filesystem::path(TALVO_SOURCE_DIR) / "examples" / name / "input.fin";
}

// A test name made of a network's name ("two-junctions" -> "twojunctions").
inline std::string WithoutDashes(const std::string& name) {
    std::string kept;
    for (const char c : name) {
        if (c != '-') {
            kept += c;
        }
    }
    return kept;
}

inline std::string ReadFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFileText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A fresh directory under the system's temporary folder, removed with the object.
class ScratchDir {
  public:
    ScratchDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("talvo-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The directory as inout.dir names it: with its final separator.
    std::string withSeparator() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
};

// The part of a report that the scenario echo writes: all of it up to the existing plan's
// setting, which starts with a blank line and "OPTIMIZED TIMING PLAN SETTING:".
inline std::string EchoPart(const std::string& report) {
    const size_t setting = report.find(" \r\nOPTIMIZED TIMING PLAN SETTING:");
    return setting == std::string::npos ? report : report.substr(0, setting);
}

// The console text up to and including "Closing Scenario File...".
inline std::string ConsoleUpToClosing(const std::string& console) {
    const std::string closing = " Closing Scenario File...\n";
    const size_t at = console.find(closing);
    return at == std::string::npos ? console : console.substr(0, at + closing.size());
}

}  // namespace talvo::test
