#include "OccupancyRecords.h"

#include <bit>
#include <cstring>
#include <stdexcept>

#include "format/FieldEditing.h"

namespace talvo {

namespace {

constexpr size_t kBlankColumns = 5;
constexpr size_t kWidestTime = 11;  // "-2147483648"
constexpr size_t kBufferSize = size_t(1) << 18;
// Times from here on are wider than their field, and edited one by one.
constexpr int32_t kFirstWideTime = 100000;

}  // namespace

OccupancyRecords::OccupancyRecords(std::ostream& out)
    : out_(out), buffer_(kBufferSize), cache_(kCacheSlots) {}

void OccupancyRecords::startCell(int32_t cell) {
    cellColumns_.assign(kBlankColumns, ' ');
    AppendIntegerField(cellColumns_, cell, kIndexWidth, -1, true);
    cellColumns_.append(kBlankColumns, ' ');
}

void OccupancyRecords::write(int32_t time, float vehicles) {
    constexpr size_t kLine = kWidestTime + kCellColumns + kVehiclesWidth + 2;
    if (buffer_.size() - used_ < kLine + cellColumns_.size())
        flush();
    char* const line = buffer_.data() + used_;
    char* end = line;
    if (time >= 0 && time < kFirstWideTime) {
        if (size_t(time) >= timeColumns_.size() / kIndexWidth)
            extendTimes(time);
        std::memcpy(end, timeColumns_.data() + size_t(time) * kIndexWidth, kIndexWidth);
        end += kIndexWidth;
    } else {
        field_.clear();
        AppendIntegerField(field_, time, kIndexWidth, -1, true);
        std::memcpy(end, field_.data(), field_.size());
        end += field_.size();
    }
    // Whole blocks of fixed size copy fastest; the buffer has room for what is copied past.
    if (cellColumns_.size() <= kCellColumns)
        std::memcpy(end, cellColumns_.data(), kCellColumns);
    else
        std::memcpy(end, cellColumns_.data(), cellColumns_.size());
    end += cellColumns_.size();
    std::memcpy(end, vehiclesText(vehicles), kVehiclesWidth);
    end += kVehiclesWidth;
    std::memcpy(end, "\r\n", 2);
    used_ += size_t(end + 2 - line);
}

void OccupancyRecords::extendTimes(int32_t time) {
    for (int32_t next = int32_t(timeColumns_.size() / kIndexWidth); next <= time; ++next)
        AppendIntegerField(timeColumns_, next, kIndexWidth, -1, true);
}

const char* OccupancyRecords::editVehicles(float vehicles, CachedVehicles& slot) {
    field_.clear();
    // A float widens to double exactly; the rounding happens once, to two decimals.
    AppendRealField(field_, double(vehicles), kVehiclesWidth, 2);
    if (field_.size() != slot.text.size())
        throw std::logic_error("an occupancy field that is not ten columns wide");
    slot.bits = std::bit_cast<uint32_t>(vehicles);
    slot.used = true;
    std::memcpy(slot.text.data(), field_.data(), slot.text.size());
    return slot.text.data();
}

void OccupancyRecords::flush() {
    out_.write(buffer_.data(), std::streamsize(used_));
    used_ = 0;
}

void WriteOccupancyRecords(std::ostream& out, const Scenario& s, const RunRecording& run,
                           const std::vector<int>& cells) {
    OccupancyRecords records(out);
    std::vector<float> series;
    for (const int cell : cells) {
        records.startCell(cell);
        run.occupancies(cell, series);
        size_t k = 0;
        for (int32_t t = 0; t <= s.endSimulationStep; t += s.timeStep, ++k) {
            const float n = k < series.size() ? series[k] : 0.0f;
            for (int32_t step = 1; step <= s.timeStep; ++step)
                records.write(t + step - 1, n);
        }
    }
    records.flush();
}

}  // namespace talvo
