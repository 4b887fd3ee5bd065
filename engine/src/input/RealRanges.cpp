#include "input/RealRanges.h"

#include "input/TokenReader.h"

namespace talvo {

std::string RealRange::describe() const {
    if (lowIncluded && highIncluded) {
        return RealText(low) + " to " + RealText(high);
    }
    return std::string(lowIncluded ? "at least " : "above ") + RealText(low) +
           (highIncluded ? " and at most " : " and below ") + RealText(high);
}

}  // namespace talvo
