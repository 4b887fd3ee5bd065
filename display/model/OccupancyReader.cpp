#include "model/OccupancyReader.h"

#include <vector>

#include "model/ReadError.h"
#include "model/TextFields.h"

namespace talvo::display {
namespace {

constexpr int kHeaderLines = 4;

// The cell index behind each street entry, in street order.
std::vector<int> StreetEntryCells(const DisplayModel& model, const std::string& fileName) {
    std::vector<int> entries;
    for (size_t s = 0; s < model.streets.size(); ++s) {
        for (const int cellID : model.streets[s].cellIDs) {
            const int index = model.findCellIndex(cellID);
            if (index < 0) {
                throw ReadError(fileName + ": street " + std::to_string(s + 1) + " lists cell " +
                                std::to_string(cellID) + ", which the project does not hold");
            }
            entries.push_back(index);
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
                       "expected second, cell number and vehicles, found \"" + line + "\""));
    }
    const auto second = ParseInt(fields[0]);
    const auto cellNumber = ParseInt(fields[1]);
    const auto vehicles = ParseReal(fields[2]);
    if (!second || *second < 0) {
        throw ReadError(DescribeAt(fileName, lineNumber, "bad second \"" + fields[0] + "\""));
    }
    if (!cellNumber || *cellNumber < 1) {
        throw ReadError(DescribeAt(fileName, lineNumber, "bad cell number \"" + fields[1] + "\""));
    }
    if (!vehicles) {
        throw ReadError(DescribeAt(fileName, lineNumber, "bad vehicles \"" + fields[2] + "\""));
    }
    return OccupancyLine{*second, *cellNumber, *vehicles};
}

}  // namespace

void ReadOccupancy(std::istream& in, const std::string& fileName, DisplayModel& model) {
    const std::vector<int> entries = StreetEntryCells(model, fileName);
    const int endStep = model.parameters.endStep;
    const size_t seconds = static_cast<size_t>(endStep) + 1;

    std::string line;
    int lineNumber = 0;
    for (; lineNumber < kHeaderLines; ++lineNumber) {
        if (!ReadTextLine(in, line)) {
            throw ReadError(fileName + ": the file ends within its four header lines");
        }
    }

    std::vector<std::vector<double>> series(entries.size(), std::vector<double>(seconds, 0.0));
    std::vector<std::vector<bool>> seen(entries.size(), std::vector<bool>(seconds, false));
    while (ReadTextLine(in, line)) {
        ++lineNumber;
        if (SplitFields(line, false).empty()) {
            continue;
        }
        const OccupancyLine value = ParseLine(line, fileName, lineNumber);
        // Engine cells beyond the street entries have no place on the map.
        if (value.cellNumber > static_cast<int>(entries.size())) {
            continue;
        }
        if (value.second > endStep) {
            continue;
        }
        const size_t entry = static_cast<size_t>(value.cellNumber) - 1;
        const size_t second = static_cast<size_t>(value.second);
        if (seen[entry][second]) {
            throw ReadError(DescribeAt(fileName, lineNumber,
                                       "second " + std::to_string(value.second) +
                                           " of cell number " + std::to_string(value.cellNumber) +
                                           " appears twice"));
        }
        seen[entry][second] = true;
        series[entry][second] = value.vehicles;
    }

    for (size_t entry = 0; entry < entries.size(); ++entry) {
        for (size_t second = 0; second < seconds; ++second) {
            if (!seen[entry][second]) {
                const int cellID = model.cells[static_cast<size_t>(entries[entry])].cellID;
                throw ReadError(fileName + ": no value for cell number " +
                                std::to_string(entry + 1) + " (cell " + std::to_string(cellID) +
                                ") at second " + std::to_string(second) +
                                " (the display needs 0 to " + std::to_string(endStep) + ")");
            }
        }
    }

    for (DisplayCell& cell : model.cells) {
        cell.occupancy.assign(seconds, 0.0);
    }
    for (size_t entry = 0; entry < entries.size(); ++entry) {
        model.cells[static_cast<size_t>(entries[entry])].occupancy = std::move(series[entry]);
    }
}

}  // namespace talvo::display
