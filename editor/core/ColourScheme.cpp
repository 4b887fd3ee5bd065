#include "core/ColourScheme.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "common/TextInput.h"

namespace talvo {

namespace {

bool ParseColour(const std::string& field, ColourValue& out) {
    std::size_t start = field.find_first_not_of(" \t\r");
    std::size_t end = field.find_last_not_of(" \t\r");
    if (start == std::string::npos) {
        return false;
    }
    const std::string text = field.substr(start, end - start + 1);
    try {
        std::size_t used = 0;
        const long long value = std::stoll(text, &used);
        if (used != text.size() || value < 0 || value > 0xFFFFFF) {
            return false;
        }
        out = static_cast<ColourValue>(value);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

ColourScheme ReadColourScheme(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        return {};
    }
    std::string line;
    std::getline(in, line);
    SkipByteOrderMark(line);
    std::vector<ColourValue> values;
    std::stringstream fields(line);
    std::string field;
    while (std::getline(fields, field, ',')) {
        ColourValue value = 0;
        if (!ParseColour(field, value)) {
            return {};
        }
        values.push_back(value);
    }
    if (values.size() != 5) {
        return {};
    }
    return {values[0], values[1], values[2], values[3], values[4]};
}

std::string FormatColourScheme(const ColourScheme& s) {
    std::ostringstream out;
    out << s.cell << ',' << s.line << ',' << s.node << ',' << s.text << ',' << s.selection;
    return out.str();
}

bool WriteColourScheme(const std::string& path, const ColourScheme& scheme) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out << FormatColourScheme(scheme) << "\r\n";
    return static_cast<bool>(out.flush());
}

}  // namespace talvo
