#pragma once
// The display model the occupancy and plan targets read into: the arterial example's
// project (fuzz/data/display-map.tin), read once, copied for every input.

#include <memory>

#include "FuzzSupport.h"
#include "model/DisplayModel.h"
#include "model/MapReader.h"
#include "model/ReadError.h"

namespace talvo::fuzz {

inline const display::DisplayModel& DisplayBaseModel() {
    static const std::unique_ptr<display::DisplayModel> model = [] {
        auto m = std::make_unique<display::DisplayModel>();
        try {
            display::ReadDisplayMap(TALVO_FUZZ_DATA "/display-map.tin", *m);
        } catch (const display::ReadError&) {
            Finding("the display's fuzz project does not read");
        }
        return m;
    }();
    return *model;
}

}  // namespace talvo::fuzz
