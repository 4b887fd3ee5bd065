#pragma once

#include <istream>
#include <string>
#include <vector>

#include "model/DisplayModel.h"

namespace talvo::display {

// The states of one signal over the steps startStep+1 .. endStep (column 0 its identifier).
struct SignalSequence {
    int signalID = 0;
    std::vector<int> states;
};

// Turns one switching sequence into states: each (state, end) pair fills the steps from the
// previous end + 1 up to its own end, limited to startStep+1 .. endStep; steps after the last
// period stay red. Amber: a switch to red (ending anywhere but endStep) makes the first two
// red steps amber; a switch to green makes the last two steps before it amber.
struct SwitchPair {
    int state = 0;
    int endTime = 0;
};
std::vector<int> FillSignalColumns(const std::vector<SwitchPair>& periods, int startStep,
                                   int endStep);

// Reads a timing plan file: one record per signalised cell of the model, each a record
// number and (state, end time) pairs closed by an end time of PlanEndMarker or more (10000
// within 10000 seconds), whatever
// horizon the writer used. Values are separated by blanks, tabs, commas or line ends.
// Throws ReadError naming the line and value, also for a record number that is no signal of
// the model's cells or that appears twice.
std::vector<SignalSequence> ReadTimePlan(std::istream& in, const std::string& fileName,
                                         const DisplayModel& model);

// Copies into each signalised link's row the sequence of its from-cell's signal; a link
// whose signal has no sequence stays red.
void ApplyTimePlan(const std::vector<SignalSequence>& sequences, DisplayModel& model);

}  // namespace talvo::display
