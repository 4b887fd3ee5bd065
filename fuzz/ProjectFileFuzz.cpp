// Project files (.tin), in the current layout or, built with TALVO_FUZZ_LEGACY, the
// earlier one: the bytes are the file's content. A file that reads must survive being
// saved and read again unchanged, and must give the engine's input files without fault.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "common/ProjectReader.h"
#include "model/ProjectWriter.h"
#include "model/ScenarioWriter.h"

namespace {

#ifdef TALVO_FUZZ_LEGACY
constexpr talvo::ProjectLayout kLayout = talvo::ProjectLayout::Legacy;
#else
constexpr talvo::ProjectLayout kLayout = talvo::ProjectLayout::Current;
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const talvo::ProjectReadResult read =
        talvo::ReadProjectText(std::move(text), "fuzz.tin", kLayout);
    if (!read.ok) {
        if (read.detail.empty()) {
            talvo::fuzz::Finding("a failed read says nothing about where it failed");
        }
        return 0;
    }
    const std::string saved = talvo::FormatProject(read.project);
    const talvo::ProjectReadResult again =
        talvo::ReadProjectText(saved, "saved.tin", talvo::ProjectLayout::Current);
    if (!again.ok) {
        std::fprintf(stderr, "%s\n", again.detail.c_str());
        talvo::fuzz::Finding("a project that was read cannot be read back after saving");
    }
    if (talvo::FormatProject(again.project) != saved) {
        talvo::fuzz::Finding("saving and reading a project again changes it");
    }
    const std::string scenario = talvo::FormatScenario(read.project);
    const std::string plan = talvo::FormatPlan(read.project);
    return scenario.empty() && plan.empty() ? 1 : 0;
}
