#include "run/Console.h"

namespace talvo {

void ConsoleEmptyLine(std::ostream& console) {
    console << '\n' << std::flush;
}

void ConsoleLine(std::ostream& console, std::string_view text) {
    console << ' ' << text << '\n' << std::flush;
}

void ConsoleCount(std::ostream& console, std::string_view text, long count,
                  std::string_view closing) {
    console << ' ' << text << ' ' << count << ' ' << closing << '\n' << std::flush;
}

}  // namespace talvo
