#include "model/OccupancyReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "common/RecordLookup.h"
#include "common/TextInput.h"
#include "model/ReadError.h"
#include "model/TextFields.h"

namespace talvo::display {
namespace {

constexpr int kHeaderLines = 4;
// The most cells the engine runs.
constexpr int kMaxEngineCells = 1000000;

// The cell ID behind each street entry, in street order.
std::vector<int> StreetEntryCells(const NetworkTables& tables, const std::string& fileName) {
    const IdPositions cells(tables.cells, &CellRecord::cellID);
    std::vector<int> entries;
    for (size_t s = 0; s < tables.streets.size(); ++s) {
        for (const int cellID : tables.streets[s].cellIDs) {
            if (!cells.holds(cellID)) {
                throw ReadError(fileName + ": street " + std::to_string(s + 1) + " lists cell " +
                                std::to_string(cellID) + ", which the project does not hold");
            }
            entries.push_back(cellID);
        }
    }
    return entries;
}

struct OccupancyLine {
    int second = 0;
    int cellNumber = 0;
    double vehicles = 0.0;
};

OccupancyLine ParseLine(const std::string& line, const std::string& fileName, int lineNumber) {
    const std::vector<std::string> fields = SplitFields(line, false);
    if (fields.size() != 3) {
        throw ReadError(
            DescribeAt(fileName, lineNumber,
                       "expected second, cell number and vehicles, found " + QuotedValue(line)));
    }
    const auto second = ParseInt(fields[0]);
    const auto cellNumber = ParseInt(fields[1]);
    const auto vehicles = ParseReal(fields[2]);
    if (!second || *second < 0) {
        throw ReadError(DescribeAt(fileName, lineNumber, "bad second " + QuotedValue(fields[0])));
    }
    if (*second > kMaxTime) {
        throw ReadError(DescribeAt(
            fileName, lineNumber,
            "second " + fields[0] + " past the engine's last, " + std::to_string(kMaxTime)));
    }
    if (!cellNumber || *cellNumber < 1) {
        throw ReadError(
            DescribeAt(fileName, lineNumber, "bad cell number " + QuotedValue(fields[1])));
    }
    if (*cellNumber > kMaxEngineCells) {
        throw ReadError(DescribeAt(fileName, lineNumber,
                                   "cell number " + fields[1] + " past the engine's largest, " +
                                       std::to_string(kMaxEngineCells)));
    }
    if (!vehicles) {
        throw ReadError(DescribeAt(fileName, lineNumber, "bad vehicles " + QuotedValue(fields[2])));
    }
    // The engine writes a cell's vehicles as a 32-bit real, never below 0 ("-0.00" is 0).
    if (*vehicles < 0 || *vehicles > std::numeric_limits<float>::max()) {
        throw ReadError(DescribeAt(fileName, lineNumber,
                                   "vehicles " + QuotedValue(fields[2]) +
                                       " outside what the engine writes: 0 up to the largest "
                                       "32-bit real"));
    }
    return OccupancyLine{*second, *cellNumber, *vehicles};
}

// One value as read: where it goes (street entry, second) and the line it stood on.
struct PlacedValue {
    uint32_t entry;
    int32_t second;
    int32_t line;
    double vehicles;

    bool samePlace(const PlacedValue& other) const {
        return entry == other.entry && second == other.second;
    }
    bool placedBefore(const PlacedValue& other) const {
        return entry != other.entry ? entry < other.entry : second < other.second;
    }
};

// The values sorted by place, equal places in file order.
std::vector<PlacedValue> ByPlace(std::vector<PlacedValue> values) {
    std::stable_sort(values.begin(), values.end(),
                     [](const PlacedValue& a, const PlacedValue& b) { return a.placedBefore(b); });
    return values;
}

// Throws for the first value, in file order, whose place an earlier line already filled;
// `sorted` is sorted by place.
void ThrowOnRepeat(const std::vector<PlacedValue>& sorted, const std::string& fileName) {
    const PlacedValue* first = nullptr;
    for (size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i].samePlace(sorted[i - 1]) && (!first || sorted[i].line < first->line)) {
            first = &sorted[i];
        }
    }
    if (first != nullptr) {
        throw ReadError(DescribeAt(fileName, first->line,
                                   "second " + std::to_string(first->second) + " of cell number " +
                                       std::to_string(first->entry + 1) + " appears twice"));
    }
}

}  // namespace

void ReadOccupancy(std::istream& in, const std::string& fileName, DisplayModel& model) {
    const std::vector<int> entries = StreetEntryCells(model.project.tables, fileName);
    const int endStep = model.parameters().endStep;
    const size_t seconds = static_cast<size_t>(endStep) + 1;

    std::string line;
    int lineNumber = 0;
    for (; lineNumber < kHeaderLines; ++lineNumber) {
        if (!ReadTextLine(in, line)) {
            throw ReadError(fileName + ": the file ends within its four header lines");
        }
    }

    // What the lines hold is kept as it comes, so that memory follows the file and not
    // the seconds and cells its project promises; the series are filled once it is whole.
    std::vector<PlacedValue> values;
    while (ReadTextLine(in, line)) {
        ++lineNumber;
        if (SplitFields(line, false).empty()) {
            continue;
        }
        OccupancyLine value;
        try {
            value = ParseLine(line, fileName, lineNumber);
        } catch (const ReadError&) {
            ThrowOnRepeat(ByPlace(values), fileName);  // an earlier line's fault comes first
            throw;
        }
        // Engine cells beyond the street entries have no place on the map.
        if (value.cellNumber > static_cast<int>(entries.size()) || value.second > endStep) {
            continue;
        }
        values.push_back(PlacedValue{static_cast<uint32_t>(value.cellNumber - 1), value.second,
                                     lineNumber, value.vehicles});
    }
    const std::vector<PlacedValue> sorted = ByPlace(std::move(values));
    ThrowOnRepeat(sorted, fileName);

    // No place twice: the values fill every place exactly when there are as many.
    for (size_t entry = 0, k = 0; entry < entries.size(); ++entry) {
        for (size_t second = 0; second < seconds; ++second, ++k) {
            if (k >= sorted.size() || sorted[k].entry != entry ||
                sorted[k].second != static_cast<int32_t>(second)) {
                const int cellID = entries[entry];
                throw ReadError(fileName + ": no value for cell number " +
                                std::to_string(entry + 1) + " (cell " + std::to_string(cellID) +
                                ") at second " + std::to_string(second) +
                                " (the display needs 0 to " + std::to_string(endStep) + ")");
            }
        }
    }

    model.occupancy.clear();
    for (const int cellID : entries) {
        model.occupancy[cellID].assign(seconds, 0.0);
    }
    for (const PlacedValue& value : sorted) {
        model.occupancy[entries[value.entry]][static_cast<size_t>(value.second)] = value.vehicles;
    }
}

}  // namespace talvo::display
