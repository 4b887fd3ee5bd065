#include "api/TextEdits.h"

namespace talvo {

std::string ReplaceLine(const std::string& text, int line, const std::string& content) {
    size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos) {
            return text;
        }
        ++start;
    }
    if (line < 1 || start > text.size()) {
        return text;
    }
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    if (end > start && text[end - 1] == '\r') {
        --end;
    }
    return text.substr(0, start) + content + text.substr(end);
}

}  // namespace talvo
