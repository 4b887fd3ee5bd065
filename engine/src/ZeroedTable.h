#pragma once
// A fixed-size table of floats that starts all zero without writing the zeros: the memory
// comes from calloc, which for tables this large takes fresh pages the system hands out
// already cleared. A table pays only for the pages a run touches.

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace talvo {

class ZeroedTable {
  public:
    explicit ZeroedTable(size_t size) : size_(size), values_(Allocate(size)) {}
    ZeroedTable(const ZeroedTable& other) : size_(other.size_), values_(Allocate(other.size_)) {
        if (size_ > 0) {
            std::memcpy(values_.get(), other.values_.get(), size_ * sizeof(float));
        }
    }
    ZeroedTable& operator=(const ZeroedTable& other) {
        if (this != &other) {
            ZeroedTable copy(other);
            std::swap(size_, copy.size_);
            std::swap(values_, copy.values_);
        }
        return *this;
    }
    // A moved-from table is empty.
    ZeroedTable(ZeroedTable&& other) noexcept
        : size_(std::exchange(other.size_, 0)), values_(std::move(other.values_)) {}
    ZeroedTable& operator=(ZeroedTable&& other) noexcept {
        if (this != &other) {
            size_ = std::exchange(other.size_, 0);
            values_ = std::move(other.values_);
        }
        return *this;
    }

    size_t size() const { return size_; }
    float& operator[](size_t i) { return values_[i]; }
    float operator[](size_t i) const { return values_[i]; }

  private:
    struct Free {
        void operator()(float* p) const { std::free(p); }
    };

    static std::unique_ptr<float[], Free> Allocate(size_t size) {
        auto* p = static_cast<float*>(std::calloc(size == 0 ? 1 : size, sizeof(float)));
        if (p == nullptr) {
            throw std::bad_alloc();
        }
        return std::unique_ptr<float[], Free>(p);
    }

    size_t size_;
    std::unique_ptr<float[], Free> values_;
};

}  // namespace talvo
