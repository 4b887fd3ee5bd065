// The Display's project reader: the bytes are a project file's content, written to a file
// (the reader takes a path) and read into a model as the Display opens a project.

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "model/DisplayModel.h"
#include "model/MapReader.h"
#include "model/ReadError.h"

namespace {

// One file for the whole process, removed at its end.
class ScratchFile {
  public:
    ScratchFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "talvo-fuzz-map-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            talvo::fuzz::Finding("cannot create the fuzz project file");
        }
        close(fd);
        path_ = pattern;
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile file;
    {
        std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    talvo::display::DisplayModel model;
    try {
        talvo::display::ReadDisplayMap(file.path(), model);
    } catch (const talvo::display::ReadError&) {
        return 0;  // a clear error is a proper end of the read
    }
    int green = 0;
    for (const talvo::LinkRecord& link : model.project.tables.links) {
        green += model.signalStateAt(link.linkID, model.parameters().endStep);
    }
    return green < 0 ? 0 : 0;
}
