// The Display's occupancy reader: the bytes are an occupancy file's content, read into the
// arterial example's model as the Display reads it after opening the project; the series
// read are then played through.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "DisplayFuzzModel.h"
#include "model/OccupancyReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talvo::display::DisplayModel model = talvo::fuzz::DisplayBaseModel();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        talvo::display::ReadOccupancy(in, "occu_exist.occ", model);
    } catch (const talvo::display::ReadError&) {
        return 0;  // a clear error is a proper end of the read
    }
    double total = 0;
    for (const talvo::CellRecord& cell : model.project.tables.cells) {
        for (int step = -1; step <= model.parameters().endStep + 1; ++step) {
            total += model.occupancyAt(cell.cellID, step);
        }
    }
    return total < 0 ? 0 : 0;
}
