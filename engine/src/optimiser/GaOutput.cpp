#include "optimiser/GaOutput.h"

#include <sstream>

namespace talvo {

void WriteConsoleLine(std::ostream& console, const FormatValues& values) {
    std::ostringstream line;
    RecordWriter(line).writeListDirected(values);
    std::string text = line.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    // Flushed at once: through a pipe the rows would otherwise arrive when the run ends.
    console << text << '\n' << std::flush;
}

}  // namespace talvo
