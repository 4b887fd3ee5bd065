#pragma once
// A table of rows of lanes (one row per cell or signal record, one value per lane), each
// row aligned for whole-vector loads and stores, all zero at the start.

#include <cstddef>
#include <new>

#include "hwy/aligned_allocator.h"

namespace talvo {

template <typename T>
class AlignedRows {
  public:
    // At least one row is kept, so that a table of nothing still has an address.
    AlignedRows(int rows, int width)
        : width_(size_t(width)),
          size_(size_t(rows > 0 ? rows : 1) * width_),
          values_(hwy::AllocateAligned<T>(size_)) {
        if (!values_) {
            throw std::bad_alloc();
        }
        for (size_t i = 0; i < size_; ++i) {
            values_[i] = T{};
        }
    }

    T* row(int i) { return values_.get() + size_t(i) * width_; }
    const T* row(int i) const { return values_.get() + size_t(i) * width_; }

  private:
    size_t width_;
    size_t size_;
    hwy::AlignedFreeUniquePtr<T[]> values_;
};

}  // namespace talvo
