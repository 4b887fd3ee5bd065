#pragma once
// A fixed-size table of floats that starts all zero without writing the zeros: the memory
// comes from calloc, which for tables this large takes fresh pages the system hands out
// already cleared. A run that uses the first seconds of the time tables then pays only
// for the pages it touches, not for all 10000 seconds of every cell.

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace talvo {

class ZeroedTable {
  public:
    explicit ZeroedTable(size_t size) : size_(size), values_(Allocate(size)) {}
    ZeroedTable(const ZeroedTable& other) : size_(other.size_), values_(Allocate(other.size_)) {
        std::memcpy(values_.get(), other.values_.get(), size_ * sizeof(float));
    }
    ZeroedTable& operator=(const ZeroedTable& other) {
        if (this != &other) {
            ZeroedTable copy(other);
            std::swap(size_, copy.size_);
            std::swap(values_, copy.values_);
        }
        return *this;
    }
    ZeroedTable(ZeroedTable&&) = delete;
    ZeroedTable& operator=(ZeroedTable&&) = delete;

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
