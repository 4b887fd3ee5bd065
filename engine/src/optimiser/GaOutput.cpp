#include "optimiser/GaOutput.h"

#include <sstream>

namespace talvo {

void WriteConsoleLine(std::ostream& console, const FormatValues& values) {
    std::ostringstream line;
    RecordWriter(line).writeListDirected(values);
    std::string text = line.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    console << text << '\n';
}

}  // namespace talvo
