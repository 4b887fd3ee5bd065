#include "TestSupport.h"

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace talvo::display::test {

std::string DataFile(const std::string& name) {
    return std::string(TALVO_DISPLAY_TEST_DATA) + "/" + name;
}

std::string ExampleFile(const std::string& name) {
    return std::string(TALVO_DISPLAY_TEST_DATA) + "/../../../examples/" + name;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("talvo_display_tests_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return path.string();
}

}  // namespace talvo::display::test
