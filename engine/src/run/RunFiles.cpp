#include "run/RunFiles.h"

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

// Paths are shown whole in messages up to this length.
constexpr size_t kLongestPath = 4096;

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
    return f;
}

std::string ReadRunDirectory(std::istream& in, const std::string& source) {
    std::string line;
    if (!std::getline(in, line)) {
        throw EngineError("Error in " + source + ": the file is empty, but " + kInoutHelp);
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
        throw EngineError("Error in " + source + ", line 1: found " + Quoted(line, kLongestPath) +
                          " with a NUL byte in it, but " + kInoutHelp);
    }
    const char last = line.back();
    if (last != '/' && last != '\\') {
        throw EngineError("Error in " + source + ", line 1: found " + Quoted(line, kLongestPath) +
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
