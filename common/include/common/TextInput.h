#pragma once
// What every reader of a text file shares: a leading byte-order mark is skipped, and a
// value shown in a message is cut to what a reader can take in (a message box fed a whole
// megabyte-long field takes minutes to lay it out).

#include <cstddef>
#include <string>
#include <string_view>

namespace talvo {

inline constexpr std::size_t kShownValueLength = 40;

// The value in quotes, control bytes spelled \xNN, cut after shownLength characters with
// the whole length given: "\"12.5x\"", or "\"0.5555...\" (70003 characters)" for a long value.
std::string QuotedValue(std::string_view value, std::size_t shownLength = kShownValueLength);

// Drops a UTF-8 byte-order mark (written by some editors) from the front of a file's text.
void SkipByteOrderMark(std::string& text);

}  // namespace talvo
