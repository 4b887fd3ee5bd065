#include "TimingPlanFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>

#include "EngineError.h"
#include "input/TokenReader.h"
#include "run/OutputFile.h"

namespace talvo {

namespace {

// List-directed reading of whole numbers: each read starts on a fresh line and takes as
// many lines as it needs; what is left on its last line is skipped. Values are taken from
// the line one at a time, so that a huge line costs no more than its own length.
class PlanTokenReader {
  public:
    PlanTokenReader(std::istream& in, const std::string& fileName) : in_(in), fileName_(fileName) {}

    // Reads `count` whole numbers into `values`; `what` names them in error messages.
    void read(int count, int32_t* values, const char* what) {
        pos_ = line_.size();
        for (int i = 0; i < count; ++i) {
            std::string_view token = nextToken();
            while (token.empty()) {
                if (!nextLine()) {
                    // An empty file ends on its first line.
                    throw EngineError("Error in " + fileName_ + ", line " +
                                      std::to_string(std::max(lineNumber_, 1)) +
                                      ": the file ends where " + what + " is expected");
                }
                token = nextToken();
            }
            values[i] = toInt(std::string(token));
        }
    }

    int lineNumber() const { return lineNumber_; }
    const std::string& fileName() const { return fileName_; }

  private:
    static bool IsSeparator(char c) {
        return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
    }

    bool nextLine() {
        if (!std::getline(in_, line_)) {
            return false;
        }
        if (lineNumber_ == 0) {
            SkipByteOrderMark(line_);
        }
        ++lineNumber_;
        pos_ = 0;
        return true;
    }

    // The next value on the current line; empty at its end.
    std::string_view nextToken() {
        while (pos_ < line_.size() && IsSeparator(line_[pos_])) {
            ++pos_;
        }
        const size_t start = pos_;
        while (pos_ < line_.size() && !IsSeparator(line_[pos_])) {
            ++pos_;
        }
        return std::string_view(line_).substr(start, pos_ - start);
    }

    int32_t toInt(const std::string& token) const {
        errno = 0;
        char* end = nullptr;
        const long value = std::strtol(token.c_str(), &end, 10);
        // The whole token must be the number: a NUL byte inside it ends the C string early.
        if (end == token.c_str() || end != token.c_str() + token.size() || errno == ERANGE ||
            value < INT32_MIN || value > INT32_MAX) {
            throw EngineError("Error in " + fileName_ + ", line " + std::to_string(lineNumber_) +
                              ": " + Quoted(token) + " is not a whole number");
        }
        return int32_t(value);
    }

    std::istream& in_;
    std::string fileName_;
    int lineNumber_ = 0;
    std::string line_;
    size_t pos_ = 0;
};

void AppendLine(std::string& text, const char* format, int32_t a, int32_t b = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    text += buffer;
    text += "\r\n";
}

}  // namespace

void ReadTimingPlan(std::istream& in, const std::string& fileName, const Scenario& scenario,
                    SignalTables& tables) {
    PlanTokenReader reader(in, fileName);
    std::vector<bool> seen(size_t(scenario.signalSlots()), false);
    tables.sizeFor(scenario);
    const int32_t end = SequenceEnd(scenario);
    for (size_t r = 0; r < scenario.signalNumbers.size(); ++r) {
        int32_t k = 0;
        reader.read(1, &k, "a signal record number");
        const std::string where =
            "Error in " + fileName + ", line " + std::to_string(reader.lineNumber());
        if (k < 1 || k > kMaxSignalNumber) {
            throw EngineError(where + ": signal record number " + std::to_string(k) +
                              " is outside 1.." + std::to_string(kMaxSignalNumber));
        }
        if (!scenario.hasSignal(k)) {
            throw EngineError(where + ": signal record " + std::to_string(k) +
                              " is not defined in the scenario");
        }
        if (seen[k]) {
            throw EngineError(where + ": signal record " + std::to_string(k) +
                              " appears a second time");
        }
        seen[size_t(k)] = true;

        SwitchingSequence& seq = tables.sequences[size_t(k)];
        seq.resize(0);
        int m = 0;
        while (true) {
            if (m >= kMaxIntervals) {
                throw EngineError(where + ": signal record " + std::to_string(k) +
                                  " has more than " + std::to_string(kMaxIntervals) +
                                  " entries before its closing entry (end time " +
                                  std::to_string(end) + ")");
            }
            int32_t pair[2] = {0, 0};
            reader.read(2, pair, "a signal state and end time");
            if (pair[0] != 0 && pair[0] != 1) {
                throw EngineError("Error in " + fileName + ", line " +
                                  std::to_string(reader.lineNumber()) + ": signal state " +
                                  std::to_string(pair[0]) + " is neither 0 (red) nor 1 (green)");
            }
            seq.signalState.push_back(pair[0]);
            seq.signalEndTime.push_back(pair[1]);
            if (pair[1] >= end) {
                break;
            }
            ++m;
        }
    }
}

void ReadTimingPlanFile(const std::string& path, const Scenario& scenario, SignalTables& tables) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw EngineError("Cannot open the timing plan file " + path + " (" + std::strerror(errno) +
                          ")");
    }
    ReadTimingPlan(in, path, scenario, tables);
}

int32_t PlanFileHorizon(const Scenario& scenario) {
    return std::max<int32_t>(1000, scenario.endSimulationStep);
}

void WriteTimingPlan(std::ostream& out, const Scenario& scenario, const SignalTables& tables,
                     int32_t horizon) {
    std::string text;
    for (const int k : scenario.signalNumbers) {
        const SwitchingSequence& seq = tables.sequences[k];
        AppendLine(text, "%5d", k);
        int m = 0;
        while (m < seq.size() - 1 && seq.signalEndTime[m] < horizon) {
            AppendLine(text, "%3d   %6d", seq.signalState[m], seq.signalEndTime[m]);
            ++m;
        }
        AppendLine(text, "%3d   %6d", seq.signalState[m], horizon);
        AppendLine(text, "%3d   %6d", 0, SequenceEnd(scenario));
    }
    out << text;
}

void WriteTimingPlanFile(const std::string& path, const Scenario& scenario,
                         const SignalTables& tables, int32_t horizon) {
    OutputFile out(path);
    WriteTimingPlan(out.stream(), scenario, tables, horizon);
    out.close();
}

}  // namespace talvo
