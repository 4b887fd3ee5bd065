#pragma once
// A table of rows of lanes (one row per cell or signal record, one float per lane), each
// row aligned for whole-vector loads and stores, all zero at the start.

#include <cstddef>
#include <new>

#include "hwy/aligned_allocator.h"

namespace talvo {

class AlignedRows {
  public:
    AlignedRows(int rows, int width)
        : width_(size_t(width)), values_(hwy::AllocateAligned<float>(size_t(rows) * width_)) {
        if (!values_) {
            throw std::bad_alloc();
        }
        for (size_t i = 0; i < size_t(rows) * width_; ++i) {
            values_[i] = 0.0f;
        }
    }

    float* row(int i) { return values_.get() + size_t(i) * width_; }
    const float* row(int i) const { return values_.get() + size_t(i) * width_; }

  private:
    size_t width_;
    hwy::AlignedFreeUniquePtr<float[]> values_;
};

}  // namespace talvo
