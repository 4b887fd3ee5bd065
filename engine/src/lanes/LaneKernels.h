#pragma once
// The lane kernels compiled into the engine, one per instruction set (AVX-512, AVX2,
// SSE4, SSSE3 and a portable one), each running a whole batch of plans at its own width.

#include <cstdint>
#include <optional>
#include <vector>

#include "lanes/LaneBatch.h"

namespace talvo {

struct LaneKernel {
    const char* name = "";  // instruction set
    int width = 0;          // plans per batch
    // Runs every lane of `batch` (of this width) from second 0 to the last delay step and
    // leaves each lane's delays in the batch's result rows.
    void (*run)(LaneBatch& batch) = nullptr;
};

// The kernels this processor can run, widest first.
std::vector<LaneKernel> AvailableLaneKernels();

// The widest available kernel of at most `maxWidth` lanes (0: no limit); none when even
// the narrowest is wider.
std::optional<LaneKernel> WidestLaneKernel(int maxWidth = 0);

}  // namespace talvo
