// The Display's CTM plot reader: the bytes are a plot file's content; every value read is
// then looked up as the plot chart does, one place beyond each edge included.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "model/PlotData.h"
#include "model/ReadError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    talvo::display::PlotData plot;
    try {
        plot = talvo::display::ReadPlotData(in, "ctmplot_1.plt");
    } catch (const talvo::display::ReadError&) {
        return 0;  // a clear error is a proper end of the read
    }
    if (plot.positionCount > talvo::display::kMaxPlotFilePositions ||
        plot.rowCount() > talvo::display::kMaxPlotFileRows) {
        talvo::fuzz::Finding("a plot larger than the display's limits was accepted");
    }
    long long sum = 0;
    for (int row = 0; row <= plot.rowCount() + 1; ++row) {
        for (int p = 0; p <= plot.positionCount + 1; ++p) {
            sum += plot.at(p, row);
        }
    }
    return sum < 0 ? 0 : 0;
}
