#pragma once
// Where a GA stage reports its progress: console lines always, report rows only for the
// variant the run asked for, with the elapsed seconds from one clock.

#include <functional>
#include <ostream>

#include "format/RecordWriter.h"

namespace talvo {

struct GaOutput {
    std::ostream* console = nullptr;
    RecordWriter* report = nullptr;  // null: this stage writes no report
    std::function<double()> elapsedSeconds;
};

// One free-format console line: each item after one blank, then a line feed; flushed.
void WriteConsoleLine(std::ostream& console, const FormatValues& values);

}  // namespace talvo
