#include "scene/GridIndex.h"

#include <algorithm>
#include <cmath>

namespace talvo::scene {
namespace {

// Enough cells for a city's network, few enough that an empty grid costs nothing.
constexpr int kMaxCellsPerAxis = 1024;

bool Meets(const Rect& a, const Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

}  // namespace

GridIndex::GridIndex(const std::vector<Rect>& bounds, double cellSize)
    : count_(bounds.size()), bounds_(bounds) {
    if (bounds.empty()) {
        return;
    }
    extent_ = bounds.front();
    for (const Rect& r : bounds) {
        extent_ = extent_.united(r);
    }
    const double largest = std::max(extent_.width(), extent_.height());
    cellSize_ = std::max({cellSize, largest / kMaxCellsPerAxis, 1.0});
    columns_ = static_cast<int>(std::floor(extent_.width() / cellSize_)) + 1;
    rows_ = static_cast<int>(std::floor(extent_.height() / cellSize_)) + 1;
    // Two passes: count each grid cell's items, then place them, so that the items of a
    // cell lie together in ascending order.
    offsets_.assign(static_cast<std::size_t>(columns_ * rows_) + 1, 0);
    const auto each = [&](auto visit) {
        for (std::size_t i = 0; i < bounds.size(); ++i) {
            const Rect& r = bounds[i];
            for (int y = row(r.top); y <= row(r.bottom); ++y) {
                for (int x = column(r.left); x <= column(r.right); ++x) {
                    visit(static_cast<std::size_t>(y * columns_ + x), static_cast<int>(i));
                }
            }
        }
    };
    each([&](std::size_t cell, int) { ++offsets_[cell + 1]; });
    for (std::size_t k = 1; k < offsets_.size(); ++k) {
        offsets_[k] += offsets_[k - 1];
    }
    entries_.resize(offsets_.back());
    std::vector<std::size_t> next(offsets_.begin(), offsets_.end() - 1);
    each([&](std::size_t cell, int item) { entries_[next[cell]++] = item; });
}

int GridIndex::column(double x) const {
    return std::clamp(static_cast<int>(std::floor((x - extent_.left) / cellSize_)), 0,
                      columns_ - 1);
}

int GridIndex::row(double y) const {
    return std::clamp(static_cast<int>(std::floor((y - extent_.top) / cellSize_)), 0, rows_ - 1);
}

std::vector<int> GridIndex::query(const Rect& area) const {
    std::vector<int> found;
    if (count_ == 0 || !Meets(area, extent_)) {
        return found;
    }
    for (int y = row(area.top); y <= row(area.bottom); ++y) {
        for (int x = column(area.left); x <= column(area.right); ++x) {
            const std::size_t cell = static_cast<std::size_t>(y * columns_ + x);
            for (std::size_t e = offsets_[cell]; e < offsets_[cell + 1]; ++e) {
                const int item = entries_[e];
                if (Meets(bounds_[static_cast<std::size_t>(item)], area)) {
                    found.push_back(item);
                }
            }
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

}  // namespace talvo::scene
