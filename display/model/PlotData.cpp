#include "model/PlotData.h"

#include <cmath>

#include "model/ReadError.h"
#include "model/TextFields.h"

namespace talvo::display {

int PlotData::at(int position, int row) const {
    if (row < 1 || row > rowCount()) {
        return 0;
    }
    const std::vector<int>& values = rows[static_cast<size_t>(row) - 1];
    if (position < 1 || position > static_cast<int>(values.size())) {
        return 0;
    }
    return values[static_cast<size_t>(position) - 1];
}

PlotData ReadPlotData(std::istream& in, const std::string& fileName) {
    constexpr int kRowEnd = -1;
    PlotData data;
    std::vector<int> current;
    bool rowOpen = false;
    for (const TextField& field : ReadAllFields(in, true)) {
        const auto real = ParseReal(field.text);
        if (!real || std::fabs(*real) > 32767.0) {
            throw ReadError(DescribeAt(fileName, field.line, "bad value \"" + field.text + "\""));
        }
        const int value = static_cast<int>(std::nearbyint(*real));
        if (!rowOpen && data.rowCount() >= kMaxPlotRows) {
            throw ReadError(DescribeAt(fileName, field.line,
                                       "more than " + std::to_string(kMaxPlotRows) + " rows"));
        }
        rowOpen = true;
        if (value == kRowEnd) {
            data.rows.push_back(std::move(current));
            current.clear();
            rowOpen = false;
            continue;
        }
        if (static_cast<int>(current.size()) >= kMaxPlotPositions) {
            throw ReadError(DescribeAt(fileName, field.line,
                                       "row " + std::to_string(data.rowCount() + 1) +
                                           " holds more than " + std::to_string(kMaxPlotPositions) +
                                           " values"));
        }
        current.push_back(value);
    }
    if (rowOpen) {
        data.rows.push_back(std::move(current));
    }
    data.positionCount = data.rows.empty() ? 0 : static_cast<int>(data.rows.back().size());
    return data;
}

}  // namespace talvo::display
