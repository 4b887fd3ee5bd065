#pragma once
// Follows an engine run through its console lines: which stage it is in (reading the
// scenario, simulating the existing plan, the FGFC, VGFC and VGVC searches, simulating the
// best plan), the generation reached, every generation's TWD figures, and how it ended.
// Fed with the console text as it arrives, in pieces of any size.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvo {

struct GlobalParameters;

// What the run was asked for: the scenario's first lines as the export wrote them.
struct RunExpectation {
    bool optimising = false;
    int controlStrategy = 1;  // 1 FGFC, 2 VGFC, 3 VGVC
    int generationNum = 0;    // most generations per search
};

RunExpectation RunExpectationOf(const GlobalParameters& parameters);

enum class RunPhase {
    Starting,            // nothing read yet
    ReadingScenario,     // from "Opening Scenario File"
    SimulatingExisting,  // the existing plan's simulation
    Searching,           // a GA search, see variant()
    SimulatingBest,      // the best plan of the search, re-simulated and written
    Finished,            // "Stop - Program terminated."
    Failed,              // ended without that line, or with a non-zero exit status
};

// One row of a search as the engine prints it after each generation.
struct GenerationFigures {
    int stage = 0;  // 0 FGFC, 1 VGFC, 2 VGVC: the searches in the order they run
    int generation = 0;
    double maxTwd = 0;   // the generation's worst plan (never below the best so far)
    double minTwd = 0;   // the generation's best plan
    double bestTwd = 0;  // the best plan so far
    double elapsedSeconds = 0;
};

class RunProgress {
  public:
    explicit RunProgress(RunExpectation expectation);

    void feed(std::string_view text);
    // The engine has ended with this exit status: a last line without its line end is read.
    void finish(int exitCode);

    RunPhase phase() const { return phase_; }
    // "FGFC", "VGFC" or "VGVC" while searching or simulating a search's best plan.
    std::string variant() const;
    // The search being run (0-based) and how many the run has.
    int stage() const { return stage_; }
    int stages() const;
    int generation() const { return generation_; }
    int generationsPlanned() const { return expectation_.generationNum; }
    // Share of the run done, 0..1, counting each search's generations; nothing for a
    // simulation of the existing plan, whose progress the console does not show.
    std::optional<double> fractionDone() const;
    const std::vector<GenerationFigures>& generations() const { return generations_; }
    // "Min Total Weighted Delay:" of the last search that ended.
    std::optional<double> bestTwd() const { return bestTwd_; }
    // The last line that was not empty: the engine's message when it stopped on an error.
    const std::string& lastLine() const { return lastLine_; }
    const RunExpectation& expectation() const { return expectation_; }

  private:
    void readLine(std::string_view line);
    bool readNumbers(std::string_view line);

    RunExpectation expectation_;
    RunPhase phase_ = RunPhase::Starting;
    std::string pending_;  // text after the last line end
    int stage_ = 0;
    int generation_ = 0;
    bool searchEnded_ = false;  // the current search printed its minimum
    bool awaitingElapsed_ = false;
    std::vector<GenerationFigures> generations_;
    std::optional<double> bestTwd_;
    std::string lastLine_;
};

// The words for a phase as the run window shows them, e.g. "FGFC search".
std::string PhaseText(const RunProgress& progress);

// The generation counter, naming the search as the chart does: the search running (or the
// last one), its generation of the most it may run, and with several searches the
// generations of all searches so far, e.g. "VGFC: 6 of at most 30 (27 generations in 2 of 2
// searches)". Empty before the first generation.
std::string GenerationText(const RunProgress& progress);

}  // namespace talvo
