#include "run/RunFiles.h"

#include <climits>

#include "EngineError.h"
#include "input/TokenReader.h"

namespace talvo {

namespace {

const std::string& ByVariant(int32_t controlStrategy, const std::string& fgfc,
                             const std::string& vgfc, const std::string& vgvc) {
    if (controlStrategy == 1) {
        return fgfc;
    }
    return controlStrategy == 2 ? vgfc : vgvc;
}

// Room left in the system's path limit for the names of the run's files.
constexpr size_t kFileNameRoom = 32;
constexpr size_t kLongestRunDirectory = PATH_MAX - 1 - kFileNameRoom;

// The line up to its LF, kept up to `kept` characters; `length` is its whole length.
// False when the stream holds nothing.
bool ReadLineKeeping(std::istream& in, size_t kept, std::string& line, size_t& length) {
    std::streambuf& buffer = *in.rdbuf();
    line.clear();
    length = 0;
    bool any = false;
    for (auto c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
        any = true;
        if (c == '\n') {
            break;
        }
        if (length++ < kept) {
            line.push_back(static_cast<char>(c));
        }
    }
    return any;
}

const char* const kInoutHelp =
    "it must hold one line: the full path of the run directory, ending with '/' "
    "(or '\\'), for example /home/user/runs/arterial/";

}  // namespace

const std::string& RunFiles::variantReport(int32_t controlStrategy) const {
    return ByVariant(controlStrategy, outputFGFC, outputVGFC, outputVGVC);
}

const std::string& RunFiles::variantPlan(int32_t controlStrategy) const {
    return ByVariant(controlStrategy, optFGFCPlan, optVGFCPlan, optVGVCPlan);
}

const std::string& RunFiles::variantOccupancy(int32_t controlStrategy) const {
    return ByVariant(controlStrategy, occuFGFC, occuVGFC, occuVGVC);
}

const std::string& RunFiles::variantResults(int32_t controlStrategy) const {
    return ByVariant(controlStrategy, resultsFGFC, resultsVGFC, resultsVGVC);
}

const char* VariantName(int32_t controlStrategy) {
    if (controlStrategy == 1) {
        return "FGFC";
    }
    return controlStrategy == 2 ? "VGFC" : "VGVC";
}

RunFiles FormRunFiles(const std::string& runDirectory) {
    RunFiles f;
    f.runDirectory = runDirectory;
    const auto name = [&](const char* file) { return runDirectory + file; };
    f.inputFin = name("input.fin");
    f.planTpl = name("plan.tpl");
    f.outputExist = name("output_exist.out");
    f.optExistPlan = name("opt_exist_plan.tpl");
    f.occuExist = name("occu_exist.occ");
    f.outputFGFC = name("output_FGFC.out");
    f.optFGFCPlan = name("opt_FGFC_plan.tpl");
    f.occuFGFC = name("occu_FGFC.occ");
    f.outputVGFC = name("output_VGFC.out");
    f.optVGFCPlan = name("opt_VGFC_plan.tpl");
    f.occuVGFC = name("occu_VGFC.occ");
    f.outputVGVC = name("output_VGVC.out");
    f.optVGVCPlan = name("opt_VGVC_plan.tpl");
    f.occuVGVC = name("occu_VGVC.occ");
    for (int g = 1; g <= kMaxPlotFiles; ++g) {
        f.ctmplot[g] = name(("ctmplot_" + std::to_string(g) + ".plt").c_str());
    }
    f.resultsExist = name("results_exist.csv");
    f.resultsFGFC = name("results_FGFC.csv");
    f.resultsVGFC = name("results_VGFC.csv");
    f.resultsVGVC = name("results_VGVC.csv");
    return f;
}

std::optional<std::string> RunDirectoryTooLong(std::string_view directory, size_t length) {
    if (length <= kLongestRunDirectory) {
        return std::nullopt;
    }
    return "a path of " + std::to_string(length) + " characters beginning " +
           Quoted(directory.substr(0, kShownPathStart)) + ", but the system takes at most " +
           std::to_string(kLongestRunDirectory) +
           " for a run directory (the names of its files are added to it)";
}

std::string ReadRunDirectory(std::istream& in, const std::string& source) {
    // A line far beyond the system's path limit is refused without being held: only a
    // little more than the longest acceptable path (and a byte-order mark) is kept.
    constexpr size_t kKept = kLongestRunDirectory + 16;
    std::string line;
    size_t length = 0;
    if (!ReadLineKeeping(in, kKept, line, length)) {
        throw EngineError("Error in " + source + ": the file is empty, but " + kInoutHelp);
    }
    if (length > kKept) {
        throw EngineError("Error in " + source + ", line 1: found " +
                          *RunDirectoryTooLong(line, length) + "; " + kInoutHelp);
    }
    SkipByteOrderMark(line);
    const size_t end = line.find_last_not_of(" \t\r");
    line.erase(end == std::string::npos ? 0 : end + 1);
    if (line.empty()) {
        throw EngineError("Error in " + source + ", line 1: found an empty line, but " +
                          kInoutHelp);
    }
    // The system would end the path at a NUL byte and the run would read and write files
    // outside the directory the line names.
    if (line.find('\0') != std::string::npos) {
        throw EngineError("Error in " + source + ", line 1: found " + Quoted(line) +
                          " with a NUL byte in it, but " + kInoutHelp);
    }
    if (const auto tooLong = RunDirectoryTooLong(line, line.size())) {
        throw EngineError("Error in " + source + ", line 1: found " + *tooLong + "; " + kInoutHelp);
    }
    const char last = line.back();
    if (last != '/' && last != '\\') {
        throw EngineError("Error in " + source + ", line 1: found " + Quoted(line) +
                          " without a final separator, but " + kInoutHelp);
    }
#ifndef _WIN32
    // A final backslash ends the directory as '/' does; appended to as it stands it would
    // name files such as "run\input.fin" beside the directory.
    line.back() = '/';
#endif
    return line;
}

}  // namespace talvo
