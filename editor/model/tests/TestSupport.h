#pragma once
// Helpers shared by the model tests: the recording prompter, file access, temp folders.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/RecordingPrompter.h"

namespace talvo::test {

inline std::string DataPath(const std::string& name) {
    return std::string(TALVO_MODEL_TEST_DATA) + "/" + name;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The record of movement k in an exported plan: from its number line to its closing pair.
inline std::string PlanRecord(const std::string& plan, int k) {
    const std::string close = "\t10000\r\n";
    const std::string start = std::to_string(k) + "\r\n";
    for (std::size_t at = 0; at < plan.size();) {
        const std::size_t end = plan.find(close, at);
        if (end == std::string::npos) {
            break;
        }
        if (plan.compare(at, start.size(), start) == 0) {
            return plan.substr(at, end + close.size() - at);
        }
        at = end + close.size();
    }
    return {};
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

// A fresh, empty folder removed again at the end of the test.
class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("talvo_model_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace talvo::test
