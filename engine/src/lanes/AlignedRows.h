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
    AlignedRows(int rows, int width)
        : width_(size_t(width)), values_(hwy::AllocateAligned<T>(size_t(rows) * width_)) {
        if (!values_) {
            throw std::bad_alloc();
        }
        for (size_t i = 0; i < size_t(rows) * width_; ++i) {
            values_[i] = T{};
        }
    }

    T* row(int i) { return values_.get() + size_t(i) * width_; }
    const T* row(int i) const { return values_.get() + size_t(i) * width_; }

  private:
    size_t width_;
    hwy::AlignedFreeUniquePtr<T[]> values_;
};

}  // namespace talvo
