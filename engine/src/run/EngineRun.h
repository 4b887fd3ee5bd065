#pragma once
// Everything a run's two paths (existing plan, optimisation) work with once the scenario
// has been read: the file names, the tables, the open report files, the console and the
// run's start time.

#include <chrono>
#include <ostream>

#include "Scenario.h"
#include "format/RecordWriter.h"
#include "run/RunFiles.h"

namespace talvo {

struct EngineRun {
    const RunFiles& files;
    Scenario& scenario;
    TimeTables& tables;
    std::ostream& existReport;    // "output_exist.out": holds the scenario echo, stays open
    RecordWriter& existWriter;    // the writer of existReport (it knows an open record)
    std::ostream* variantReport;  // the variant's report, open in optimisation runs only
    RecordWriter* variantWriter;  // its writer, in optimisation runs only
    std::ostream& console;
    std::chrono::steady_clock::time_point startTime;

    // Wall-clock seconds since the run started.
    double elapsedSeconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - startTime).count();
    }
};

}  // namespace talvo
