#include "api/ConsoleLines.h"

#include <sstream>
#include <vector>

namespace talvo {

namespace {
constexpr const char* kSearchEnd = "Min Total Weighted Delay:";
}

std::string ConsoleLines::lastLine() const {
    std::string text = text_;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    const size_t start = text.find_last_of('\n');
    text = start == std::string::npos ? text : text.substr(start + 1);
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

ConsoleLines::int_type ConsoleLines::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char ch = traits_type::to_char_type(c);
    text_ += ch;
    if (ch == '\n') {
        const std::string line = std::move(line_);
        line_.clear();
        lineEnded(line);
    } else {
        line_ += ch;
    }
    return c;
}

// A generation's line holds its number and three TWDs (worst, best of the generation,
// best so far); the search's end names its minimum.
void ConsoleLines::lineEnded(const std::string& line) {
    const size_t end = line.find(kSearchEnd);
    if (end != std::string::npos) {
        std::istringstream(line.substr(end + std::string(kSearchEnd).size())) >> lastTwd_;
        ++stage_;
        return;
    }
    std::istringstream in(line);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;) {
        tokens.push_back(token);
    }
    if (!onGeneration_ || tokens.size() != 4 ||
        tokens[0].find_first_not_of("0123456789") != std::string::npos) {
        return;
    }
    GenerationProgress progress;
    progress.stage = stage_;
    progress.generation = std::stoi(tokens[0]);
    progress.worstTwd = std::stof(tokens[1]);
    progress.generationBest = std::stof(tokens[2]);
    progress.bestTwd = std::stof(tokens[3]);
    if (!onGeneration_(progress)) {
        cancelled_ = true;
        throw Cancelled("optimisation cancelled");
    }
}

}  // namespace talvo
