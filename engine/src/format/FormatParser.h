#pragma once
// Turns the text of an edit-descriptor list into its items.

#include <string_view>
#include <vector>

#include "CompiledFormat.h"

namespace talvo {

// Parses "(...)" into the items between the outer parentheses. Blanks between items are
// ignored, descriptor letters may be lower case, and a doubled backslash counts as one
// backslash descriptor. Throws std::invalid_argument naming the list, the column and the
// fault.
std::vector<FormatItem> ParseFormat(std::string_view format);

}  // namespace talvo
