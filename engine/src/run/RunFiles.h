#pragma once
// The files of one run, all in the run directory named by inout.dir. Every name is formed
// at the start of the run, whichever path the run then takes.

#include <array>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "Scenario.h"

namespace talvo {

struct RunFiles {
    std::string runDirectory;  // as read, ending with its separator

    std::string inputFin;     // scenario, read
    std::string planTpl;      // existing timing plan, read
    std::string outputExist;  // report of every run
    std::string optExistPlan, occuExist;
    std::string outputFGFC, optFGFCPlan, occuFGFC;
    std::string outputVGFC, optVGFCPlan, occuVGFC;
    std::string outputVGVC, optVGVCPlan, occuVGVC;
    std::array<std::string, kMaxPlotFiles + 1> ctmplot;  // 1..5
    // Each report's results table, one row per approach.
    std::string resultsExist, resultsFGFC, resultsVGFC, resultsVGVC;

    // The optimisation variant's files: controlStrategy 1 FGFC, 2 VGFC, anything else VGVC.
    const std::string& variantReport(int32_t controlStrategy) const;
    const std::string& variantPlan(int32_t controlStrategy) const;
    const std::string& variantOccupancy(int32_t controlStrategy) const;
    const std::string& variantResults(int32_t controlStrategy) const;
};

// "FGFC", "VGFC" or "VGVC" for a controlStrategy (any value but 1 and 2 is VGVC).
const char* VariantName(int32_t controlStrategy);

// All twenty-three names: each file's name written after the directory's final separator.
RunFiles FormRunFiles(const std::string& runDirectory);

// How much of a path too long to be used a message shows: its beginning.
inline constexpr size_t kShownPathStart = 40;

// When a run directory of `length` characters (of which `directory` holds at least the
// beginning) leaves no room within the system's path limit for its files: the message's
// "a path of N characters beginning "...", but ..." part.
std::optional<std::string> RunDirectoryTooLong(std::string_view directory, size_t length);

// The run directory from the first line of an inout.dir text: the whole line (CR LF or LF),
// trailing blanks and a leading byte-order mark dropped, which must end with '/' or '\'; a
// final '\' is returned as '/'. `source` names the file in messages. Throws EngineError
// when the line is missing, too long for the system's paths, or has no final separator.
std::string ReadRunDirectory(std::istream& in, const std::string& source);

}  // namespace talvo
