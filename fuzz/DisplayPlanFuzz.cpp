// The Display's timing plan reader: the bytes are a plan file's content, read for the
// arterial example's model and applied to its signal table, whose states are then looked
// up at every step as the playback does.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "DisplayFuzzModel.h"
#include "model/TimePlanReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talvo::display::DisplayModel model = talvo::fuzz::DisplayBaseModel();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<talvo::display::SignalSequence> sequences;
    try {
        sequences = talvo::display::ReadTimePlan(in, "opt_exist_plan.tpl", model);
    } catch (const talvo::display::ReadError&) {
        return 0;  // a clear error is a proper end of the read
    }
    talvo::display::ApplyTimePlan(sequences, model);
    int green = 0;
    for (const talvo::LinkRecord& link : model.project.tables.links) {
        for (int step = -1; step <= model.parameters().endStep + 1; ++step) {
            green += model.signalStateAt(link.linkID, step);
        }
    }
    return green < 0 ? 0 : 0;
}
