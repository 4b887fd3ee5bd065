#pragma once
// The engine's console lines: each begins with one blank and is flushed at once, so that
// a window following the run sees its progress.

#include <ostream>
#include <string_view>

namespace talvo {

void ConsoleEmptyLine(std::ostream& console);
void ConsoleLine(std::ostream& console, std::string_view text);
// Text, a count and a closing text, each after one blank: " Reading...  25  Cells".
void ConsoleCount(std::ostream& console, std::string_view text, long count,
                  std::string_view closing);

}  // namespace talvo
