#include "model/TimePlanReader.h"

#include <algorithm>
#include <set>

#include "common/TextInput.h"
#include "model/ReadError.h"
#include "model/TextFields.h"

namespace talvo::display {
namespace {

class FieldCursor {
  public:
    FieldCursor(std::istream& in, std::string fileName, int endMarker)
        : fields_(in, true), fileName_(std::move(fileName)), endMarker_(endMarker) {}

    // The next field as an integer; what names it in an error.
    std::pair<int, int> nextInt(const std::string& what, int record) {
        const std::optional<TextField> field = fields_.next();
        if (!field) {
            throw ReadError(fileName_ + ": the file ends in record " + std::to_string(record) +
                            " while reading its " + what + " (a record closes with an end " +
                            "time of " + std::to_string(endMarker_) + ")");
        }
        const auto value = ParseInt(field->text);
        if (!value) {
            throw ReadError(
                DescribeAt(fileName_, field->line, "bad " + what + " " + QuotedValue(field->text)));
        }
        return {*value, field->line};
    }

    const std::string& fileName() const { return fileName_; }

  private:
    FieldStream fields_;
    std::string fileName_;
    int endMarker_;
};

void SetStates(std::vector<int>& columns, int fromStep, int toStep, int startStep, int state) {
    const int columnCount = static_cast<int>(columns.size()) - 1;
    const int first = std::max(fromStep - startStep, 1);
    const int last = std::min(toStep - startStep, columnCount);
    for (int column = first; column <= last; ++column) {
        columns[static_cast<size_t>(column)] = state;
    }
}

}  // namespace

std::vector<int> FillSignalColumns(const std::vector<SwitchPair>& periods, int startStep,
                                   int endStep) {
    std::vector<int> columns(static_cast<size_t>(std::max(0, endStep - startStep)) + 1, kRed);
    int previousEnd = startStep;
    int previousState = kRed;
    for (size_t i = 0; i < periods.size(); ++i) {
        const SwitchPair& pair = periods[i];
        SetStates(columns, previousEnd + 1, pair.endTime, startStep, pair.state);
        if (i > 0 && pair.state != previousState) {
            if (pair.state == kRed && pair.endTime != endStep) {
                SetStates(columns, previousEnd + 1, previousEnd + 2, startStep, kAmber);
            } else if (pair.state == kGreen) {
                SetStates(columns, previousEnd - 1, previousEnd, startStep, kAmber);
            }
        }
        previousEnd = pair.endTime;
        previousState = pair.state;
    }
    return columns;
}

std::vector<SignalSequence> ReadTimePlan(std::istream& in, const std::string& fileName,
                                         const DisplayModel& model) {
    const std::vector<CellRecord>& cells = model.project.tables.cells;
    const auto signalCount = std::count_if(cells.begin(), cells.end(),
                                           [](const CellRecord& c) { return c.signalID != 0; });
    const int endMarker = PlanEndMarker(model.parameters());
    FieldCursor cursor(in, fileName, endMarker);
    const int startStep = model.parameters().startStep;
    const int endStep = model.parameters().endStep;

    std::set<int> signals;
    for (const CellRecord& cell : cells) {
        if (cell.signalID != 0) {
            signals.insert(cell.signalID);
        }
    }
    std::set<int> read;
    std::vector<SignalSequence> sequences;
    for (int record = 1; record <= signalCount; ++record) {
        SignalSequence sequence;
        const auto [signalID, signalLine] = cursor.nextInt("record number", record);
        // A record for no signal of the project would leave one of its signals red
        // throughout without a word.
        if (signals.count(signalID) == 0) {
            throw ReadError(DescribeAt(fileName, signalLine,
                                       "record number " + std::to_string(signalID) +
                                           ", which is no signal of the project's cells"));
        }
        if (!read.insert(signalID).second) {
            throw ReadError(
                DescribeAt(fileName, signalLine,
                           "record number " + std::to_string(signalID) + " appears twice"));
        }
        sequence.signalID = signalID;
        std::vector<SwitchPair> periods;
        int previousEnd = 0;
        while (true) {
            const auto [state, stateLine] = cursor.nextInt("signal state", record);
            const auto [endTime, endLine] = cursor.nextInt("end time", record);
            if (state != kRed && state != kGreen) {
                throw ReadError(DescribeAt(
                    fileName, stateLine,
                    "signal state " + std::to_string(state) + " (1 green or 0 red expected)"));
            }
            if (endTime >= endMarker) {
                break;
            }
            if (endTime < previousEnd) {
                throw ReadError(DescribeAt(fileName, endLine,
                                           "end time " + std::to_string(endTime) +
                                               " before the previous end time " +
                                               std::to_string(previousEnd)));
            }
            previousEnd = endTime;
            periods.push_back(SwitchPair{state, endTime});
        }
        sequence.states = FillSignalColumns(periods, startStep, endStep);
        sequence.states[0] = sequence.signalID;
        sequences.push_back(std::move(sequence));
    }
    return sequences;
}

void ApplyTimePlan(const std::vector<SignalSequence>& sequences, DisplayModel& model) {
    model.sizeSignalTable();
    for (auto& [linkID, row] : model.signalRows) {
        const int signalID = row.states[0];
        const auto found =
            std::find_if(sequences.begin(), sequences.end(),
                         [signalID](const SignalSequence& s) { return s.signalID == signalID; });
        if (found != sequences.end() && found->states.size() == row.states.size()) {
            row.states = found->states;
        }
    }
}

}  // namespace talvo::display
