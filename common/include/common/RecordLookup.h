#pragma once
// The one place where an ID becomes a table position. Records name each other by ID; a
// program turns an ID into the position of its record here, 0-based, -1 when no record of
// the table carries it.

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace talvo {

// One question about a table.
template <typename Record>
int PositionOfID(const std::vector<Record>& table, int Record::*idField, int id) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].*idField == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Many questions about a table that does not change meanwhile: built once, each answer in
// constant time. The first record wins where an ID stands twice, as PositionOfID finds it.
class IdPositions {
  public:
    IdPositions() = default;
    template <typename Record>
    IdPositions(const std::vector<Record>& table, int Record::*idField) {
        positions_.reserve(table.size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            positions_.emplace(table[i].*idField, static_cast<int>(i));
        }
    }

    int positionOf(int id) const {
        const auto found = positions_.find(id);
        return found == positions_.end() ? -1 : found->second;
    }
    bool holds(int id) const { return positions_.count(id) != 0; }

  private:
    std::unordered_map<int, int> positions_;
};

}  // namespace talvo
