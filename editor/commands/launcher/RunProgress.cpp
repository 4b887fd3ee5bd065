#include "RunProgress.h"

#include <algorithm>
#include <charconv>

#include "common/ProjectRecords.h"

namespace talvo {

namespace {

constexpr const char* kVariants[] = {"FGFC", "VGFC", "VGVC"};

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The blank-separated numbers of a line; nothing when any item is not a number.
std::optional<std::vector<double>> Numbers(std::string_view line) {
    std::vector<double> numbers;
    while (!(line = Trimmed(line)).empty()) {
        const size_t end = std::min(line.find(' '), line.size());
        double value = 0;
        const auto [stop, ec] = std::from_chars(line.data(), line.data() + end, value);
        if (ec != std::errc() || stop != line.data() + end) {
            return std::nullopt;
        }
        numbers.push_back(value);
        line.remove_prefix(end);
    }
    return numbers;
}

std::optional<double> NumberAfter(std::string_view line, std::string_view label) {
    const auto numbers = Numbers(line.substr(label.size()));
    if (!numbers || numbers->size() != 1) {
        return std::nullopt;
    }
    return numbers->front();
}

}  // namespace

RunExpectation RunExpectationOf(const GlobalParameters& parameters) {
    return {parameters.optimizationOn, parameters.controlStrategy, parameters.generationNum};
}

RunProgress::RunProgress(RunExpectation expectation) : expectation_(expectation) {}

std::string RunProgress::variant() const {
    if (phase_ != RunPhase::Searching && phase_ != RunPhase::SimulatingBest) {
        return {};
    }
    return kVariants[std::clamp(stage_, 0, 2)];
}

int RunProgress::stages() const {
    const int strategy = expectation_.controlStrategy;
    return strategy == 2 || strategy == 3 ? strategy : 1;
}

std::optional<double> RunProgress::fractionDone() const {
    if (phase_ == RunPhase::Finished) {
        return 1.0;
    }
    if (!expectation_.optimising || expectation_.generationNum <= 0) {
        return std::nullopt;
    }
    double stageDone = 0;
    if (phase_ == RunPhase::SimulatingBest || searchEnded_) {
        stageDone = 1;
    } else if (phase_ == RunPhase::Searching) {
        stageDone = std::min(1.0, double(generation_) / expectation_.generationNum);
    }
    return std::min(1.0, (stage_ + stageDone) / stages());
}

void RunProgress::feed(std::string_view text) {
    pending_.append(text);
    size_t start = 0;
    for (size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
        readLine(std::string_view(pending_).substr(start, end - start));
    }
    pending_.erase(0, start);
}

void RunProgress::finish(int exitCode) {
    if (!pending_.empty()) {
        readLine(pending_);
        pending_.clear();
    }
    if (exitCode != 0 || phase_ != RunPhase::Finished) {
        phase_ = RunPhase::Failed;
    }
}

// A generation row holds the generation and three TWDs; the elapsed seconds follow alone
// on the next line.
bool RunProgress::readNumbers(std::string_view line) {
    const auto numbers = Numbers(line);
    if (!numbers) {
        return false;
    }
    if (numbers->size() == 1 && awaitingElapsed_) {
        generations_.back().elapsedSeconds = numbers->front();
        awaitingElapsed_ = false;
        return true;
    }
    if (numbers->size() != 4) {
        return false;
    }
    if (searchEnded_) {
        ++stage_;
        searchEnded_ = false;
    }
    phase_ = RunPhase::Searching;
    generation_ = static_cast<int>((*numbers)[0]);
    generations_.push_back(
        GenerationFigures{stage_, generation_, (*numbers)[1], (*numbers)[2], (*numbers)[3], 0});
    awaitingElapsed_ = true;
    return true;
}

void RunProgress::readLine(std::string_view raw) {
    const std::string_view line = Trimmed(raw);
    if (line.empty()) {
        return;
    }
    lastLine_ = line;
    if (readNumbers(line)) {
        return;
    }
    awaitingElapsed_ = false;
    if (StartsWith(line, "Opening Scenario File")) {
        phase_ = RunPhase::ReadingScenario;
    } else if (StartsWith(line, "Closing Scenario File")) {
        phase_ = expectation_.optimising ? RunPhase::Searching : RunPhase::SimulatingExisting;
    } else if (StartsWith(line, "Min Total Weighted Delay:")) {
        bestTwd_ = NumberAfter(line, "Min Total Weighted Delay:");
        searchEnded_ = true;
    } else if (StartsWith(line, "Simulating Best Plan")) {
        phase_ = RunPhase::SimulatingBest;
    } else if (StartsWith(line, "Stop - Program terminated.")) {
        phase_ = RunPhase::Finished;
    }
}

std::string PhaseText(const RunProgress& progress) {
    switch (progress.phase()) {
        case RunPhase::Starting:
            return "Starting the engine";
        case RunPhase::ReadingScenario:
            return "Reading the scenario";
        case RunPhase::SimulatingExisting:
            return "Existing plan: simulating";
        case RunPhase::Searching:
            return progress.variant() + " search";
        case RunPhase::SimulatingBest:
            return progress.variant() + ": simulating the best plan";
        case RunPhase::Finished:
            return "Finished";
        case RunPhase::Failed:
            return "Failed";
    }
    return {};
}

std::string GenerationText(const RunProgress& progress) {
    if (progress.generations().empty()) {
        return {};
    }
    const int stage = progress.generations().back().stage;
    std::string text = std::string(kVariants[std::clamp(stage, 0, 2)]) + ": " +
                       std::to_string(progress.generations().back().generation) + " of at most " +
                       std::to_string(progress.generationsPlanned());
    if (progress.stages() > 1) {
        text += " (" + std::to_string(progress.generations().size()) + " generations in " +
                std::to_string(stage + 1) + " of " + std::to_string(progress.stages()) +
                " searches)";
    }
    return text;
}

}  // namespace talvo
