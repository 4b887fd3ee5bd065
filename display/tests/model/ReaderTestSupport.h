#pragma once

#include <sstream>
#include <string>

#include "TestSupport.h"
#include "model/DisplayModel.h"
#include "model/MapReader.h"

namespace talvo::display::test {

// The corridor project with its analysis period's end changed.
inline std::string CorridorProjectWithEndStep(int endStep) {
    std::string text = ReadText(DataFile("corridor_run.tin"));
    const std::string period = "1,300,0,300,";
    text.replace(text.find(period), period.size(), "1,300,0," + std::to_string(endStep) + ",");
    return WriteTempFile("corridor_end" + std::to_string(endStep) + ".tin", text);
}

inline DisplayModel LoadCorridorMap(const std::string& path = DataFile("corridor_run.tin")) {
    DisplayModel model;
    ReadDisplayMap(path, model);
    return model;
}

// The vehicles column of an engine occupancy file at (engine cell k, second t), read by
// counting lines: the file's own order, cell by cell, second by second.
inline double EngineValue(const std::string& occupancyText, int secondsPerCell, int k, int t) {
    std::istringstream in(occupancyText);
    std::string line;
    const int wanted = 4 + (k - 1) * secondsPerCell + t;
    for (int i = 0; i <= wanted; ++i) {
        std::getline(in, line);
    }
    return std::stod(line.substr(20));
}

}  // namespace talvo::display::test
