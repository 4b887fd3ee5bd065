#pragma once
// Scenario variations made on the file's text, so that a varied scenario is read, echoed
// and reported exactly as the same file edited by hand.
#include <string>

namespace talvo {

// `text` with line `line` (1-based, its line end kept) replaced by `content`; unchanged
// when there is no such line.
std::string ReplaceLine(const std::string& text, int line, const std::string& content);

}  // namespace talvo
