#pragma once
// The one place where an ID becomes a table position. Records name each other by ID; a
// program turns an ID into the position of its record here, 0-based, -1 when no record of
// the table carries it.

#include <cstddef>
#include <vector>

namespace talvo {

template <typename Record>
int PositionOfID(const std::vector<Record>& table, int Record::*idField, int id) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].*idField == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace talvo
