#include "model/PlotData.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "common/TextInput.h"
#include "model/ReadError.h"
#include "model/TextFields.h"

namespace talvo::display {
namespace {

// The values of one field. The engine writes every value in seven columns with two decimals
// and no separator, so a value that fills its columns (1000.00, -100.00) runs into the one
// before it: such a field is cut after each point and its two decimals.
std::optional<std::vector<double>> FieldValues(const std::string& text) {
    if (const auto real = ParseReal(text)) {
        return std::vector<double>{*real};
    }
    std::vector<double> values;
    size_t start = 0;
    while (start < text.size()) {
        const size_t point = text.find('.', start);
        if (point == std::string::npos || point + 3 > text.size()) {
            return std::nullopt;
        }
        const auto real = ParseReal(std::string_view(text).substr(start, point + 3 - start));
        if (!real) {
            return std::nullopt;
        }
        values.push_back(*real);
        start = point + 3;
    }
    return values;
}

}  // namespace

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
    FieldStream fields(in, true);
    while (const std::optional<TextField> next = fields.next()) {
        const TextField& field = *next;
        const auto reals = FieldValues(field.text);
        if (!reals) {
            throw ReadError(
                DescribeAt(fileName, field.line, "bad value " + QuotedValue(field.text)));
        }
        for (const double real : *reals) {
            if (std::fabs(real) > 32767.0) {
                throw ReadError(
                    DescribeAt(fileName, field.line, "bad value " + QuotedValue(field.text)));
            }
            const int value = static_cast<int>(std::nearbyint(real));
            if (!rowOpen && data.rowCount() >= kMaxPlotFileRows) {
                throw ReadError(
                    DescribeAt(fileName, field.line,
                               "more than " + std::to_string(kMaxPlotFileRows) + " rows"));
            }
            rowOpen = true;
            if (value == kRowEnd) {
                data.rows.push_back(std::move(current));
                current.clear();
                rowOpen = false;
                continue;
            }
            if (static_cast<int>(current.size()) >= kMaxPlotFilePositions) {
                throw ReadError(DescribeAt(fileName, field.line,
                                           "row " + std::to_string(data.rowCount() + 1) +
                                               " holds more than " +
                                               std::to_string(kMaxPlotFilePositions) + " values"));
            }
            current.push_back(value);
        }
    }
    if (rowOpen) {
        data.rows.push_back(std::move(current));
    }
    data.positionCount = data.rows.empty() ? 0 : static_cast<int>(data.rows.back().size());
    return data;
}

}  // namespace talvo::display
