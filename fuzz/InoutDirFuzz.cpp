// inout.dir: the bytes are the file's content, read as the run driver reads it; the run
// directory found (if any) then names the run's files.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "EngineError.h"
#include "FuzzSupport.h"
#include "run/RunFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const std::string directory = talvo::ReadRunDirectory(in, "inout.dir");
        if (directory.empty() || (directory.back() != '/' && directory.back() != '\\')) {
            talvo::fuzz::Finding("run directory accepted without a final separator");
        }
        const talvo::RunFiles files = talvo::FormRunFiles(directory);
        if (files.inputFin != directory + "input.fin") {
            talvo::fuzz::Finding("scenario file name not formed from the run directory");
        }
    } catch (const talvo::EngineError&) {
        // A clear error is a proper end of the run.
    }
    return 0;
}
