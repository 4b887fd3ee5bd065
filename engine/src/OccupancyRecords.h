#pragma once
// The occupancy file's records, "(I5,5X,I5,5X,F10.2)" with times and cells widening. A
// file holds a line per cell and second, millions of them, and reading the edit list
// again for each line made writing it the slowest part of an optimisation. The fields
// are edited by the same field editing as every other record, but each text only once:
// a cell's columns once per cell, a time once per file, an occupancy once while it stays
// in a small cache of recent values.

#include <array>
#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "RunRecording.h"
#include "Scenario.h"

namespace talvo {

class OccupancyRecords {
  public:
    explicit OccupancyRecords(std::ostream& out);
    OccupancyRecords(const OccupancyRecords&) = delete;
    OccupancyRecords& operator=(const OccupancyRecords&) = delete;

    // The cell of the records that follow.
    void startCell(int32_t cell);
    // One record of the current cell.
    void write(int32_t time, float vehicles);
    // Hands what is buffered to the stream, whose state tells of a failed write.
    void flush();

  private:
    static constexpr int kIndexWidth = 5;
    static constexpr int kVehiclesWidth = 10;
    struct CachedVehicles {
        uint32_t bits = 0;
        bool used = false;
        std::array<char, kVehiclesWidth> text{};
    };

    static constexpr size_t kCellColumns = 16;   // copied as one block, the classic 15 and one
    static constexpr size_t kCacheSlots = 1024;  // small enough to stay in the first-level cache

    // The occupancy's ten columns, from the cache or edited into it.
    const char* vehiclesText(float vehicles) {
        const uint32_t bits = std::bit_cast<uint32_t>(vehicles);
        // A cell's occupancy often stays the same from one second to the next.
        if (last_ != nullptr && last_->bits == bits)
            return last_->text.data();
        CachedVehicles& slot = cache_[size_t((bits * 2654435761u) >> 22) % kCacheSlots];
        last_ = &slot;
        return slot.used && slot.bits == bits ? slot.text.data() : editVehicles(vehicles, slot);
    }
    const char* editVehicles(float vehicles, CachedVehicles& slot);
    void extendTimes(int32_t time);

    std::ostream& out_;
    std::vector<char> buffer_;
    size_t used_ = 0;
    std::string cellColumns_;  // the blanks before the cell, the cell and the blanks after
    std::string timeColumns_;  // second s in columns 5s..5s+4, for the seconds that fit
    std::string field_;
    std::vector<CachedVehicles> cache_;
    const CachedVehicles* last_ = nullptr;  // the entry of the record before
};

// The records of `cells`, in that order, each second by second over the whole run, from
// a recording of their occupancies made at the scenario's time step.
void WriteOccupancyRecords(std::ostream& out, const Scenario& scenario, const RunRecording& run,
                           const std::vector<int>& cells);

}  // namespace talvo
