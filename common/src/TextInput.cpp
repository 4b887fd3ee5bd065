#include "common/TextInput.h"

namespace talvo {

std::string QuotedValue(std::string_view value, std::size_t shownLength) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "\"";
    for (const char c : value.substr(0, shownLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            text += "\\x";
            text.push_back(kHex[byte >> 4]);
            text.push_back(kHex[byte & 0xF]);
        } else {
            text.push_back(c);
        }
    }
    const bool cut = value.size() > shownLength;
    text += cut ? "...\"" : "\"";
    if (cut) {
        text += " (" + std::to_string(value.size()) + " characters)";
    }
    return text;
}

void SkipByteOrderMark(std::string& text) {
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
        text.erase(0, kByteOrderMark.size());
    }
}

}  // namespace talvo
