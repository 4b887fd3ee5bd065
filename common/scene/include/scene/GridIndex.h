#pragma once
// A uniform grid over items' bounding rectangles: what lies near a point or inside a view
// is found among the few items of the grid cells it covers instead of among all of them.

#include <cstddef>
#include <vector>

#include "scene/Geometry.h"

namespace talvo::scene {

class GridIndex {
  public:
    GridIndex() = default;
    // Item i has bounds[i]; the grid's cells are square, `cellSize` map units wide.
    GridIndex(const std::vector<Rect>& bounds, double cellSize);

    std::size_t size() const { return count_; }
    // The items whose bounds meet the area (touching counts), in ascending order.
    std::vector<int> query(const Rect& area) const;

  private:
    int column(double x) const;
    int row(double y) const;

    std::size_t count_ = 0;
    Rect extent_;
    double cellSize_ = 1.0;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<Rect> bounds_;
    // Items of grid cell k: entries_[offsets_[k] .. offsets_[k + 1]).
    std::vector<std::size_t> offsets_;
    std::vector<int> entries_;
};

}  // namespace talvo::scene
