#pragma once
// The engine as a library: scenarios read from a run directory or from text, plans
// evaluated in batches, optimisations and whole runs with the command line's files, and
// simulations stepped one time step at a time for controllers outside the engine. Nothing
// here is global: any number of models and simulations may exist, each simulation used from
// one thread at a time, a model shared read-only between threads.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace talvo {

struct Scenario;
class TimeTables;

// A scenario or plan that cannot be used; the message names the file, the line and the
// value, as the command line prints it.
class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An optimisation stopped by its progress callback.
class Cancelled : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CellInfo {
    std::string name, type;  // name blank padded to 11 characters, type as read
    float lanes = 0, maxFlow = 0, holdingCapacity = 0;
    int from1 = 0, from2 = 0, to1 = 0, to2 = 0;  // neighbour cells, 0 for none
    int signal = 0;                              // signal record gating the cell, 0 for none
};

struct GroupInfo {
    float weight = 0;
    std::vector<int> cells;  // cell numbers, empty places left out
};

// A timing plan as stage times: the network cycle, each intersection's offset and the
// durations of its stages (intersection i at index i-1). With `sequences` read from a plan
// file instead, the switching sequences are used as they stand.
struct Plan {
    int cycle = 0;
    std::vector<int> offsets;
    std::vector<std::vector<int>> stageTimes;
    // By signal record number: (state, end time) pairs; empty when the plan is stage times.
    std::vector<std::vector<std::pair<int, int>>> sequences;

    bool isSequences() const { return !sequences.empty(); }
};

struct PlanDelays {
    float twd = 0;
    std::vector<float> approachDelays;  // vehicle-seconds, approach i at index i-1
};

struct GenerationProgress {
    int stage = 0;       // 1 FGFC, 2 VGFC, 3 VGVC
    int generation = 0;  // within the stage
    float worstTwd = 0, generationBest = 0, bestTwd = 0;
};

struct OptimiseOptions {
    int variant = 3;       // 1 FGFC, 2 VGFC, 3 VGVC
    unsigned threads = 0;  // 0: one per processor core
    bool refine = false;
    // At most this many plans per lane batch (1: one at a time, 0: the widest); unset: as
    // the environment variable TALVO_LANES asks. The results are the same for any width.
    std::optional<int> lanes;
    // The GA's random source started from this state (1..2147483646) instead of the
    // engine's own 1: another search of the same scenario.
    std::optional<int> seed;
    // Called after every generation; returning false cancels the run (Cancelled is thrown
    // and the run directory keeps its earlier results).
    std::function<bool(const GenerationProgress&)> onGeneration;
};

struct RunSummary {
    float twd = 0;
    std::string runDirectory;  // where the run's files are, ending with '/'
    std::string console;       // the console output of the run
};

// A whole run as the command line makes it: where its run directory is, and how many
// threads evaluate the GA's plans.
struct RunRequest {
    std::string inoutPath = "inout.dir";  // the file naming the run directory, when none is given
    std::string runDirectory;             // given: used as it stands, inout.dir is not read
    unsigned threads = 0;                 // 0: one per processor core
    bool refine = false;                  // refine the GA's best plan (optimisation runs)
    std::optional<int> lanes;             // the GA's lane width (OptimiseOptions::lanes)
    std::optional<int> seed;              // the GA's first random state (OptimiseOptions::seed)
};

// Reads input.fin and plan.tpl of the run directory, simulates the existing plan or
// optimises as the scenario asks, and writes the results there; the console output goes to
// `console`. Returns the process exit status: 0 after a complete run, 1 after a failure
// whose message is the console's last line.
int RunEngine(std::ostream& console, const RunRequest& request);
// The same with the run directory named by `inoutPath`.
int RunEngine(std::ostream& console, const std::string& inoutPath);

// One scenario with its plan file, read once and shared read-only.
class Model {
  public:
    // input.fin and plan.tpl of `directory` (a missing plan.tpl is read as empty).
    static std::shared_ptr<const Model> fromDirectory(const std::string& directory);
    // The two files' texts; `directory` names them in messages.
    static std::shared_ptr<const Model> fromText(std::string scenarioText, std::string planText,
                                                 std::string directory = "");
    ~Model();

    // The same scenario with another demand multiplier or run choice (0 existing plan,
    // 1..3 the optimised variant), read again from its text.
    std::shared_ptr<const Model> withVolMultiplier(double multiplier) const;
    std::shared_ptr<const Model> withVariant(int variant) const;

    const std::string& scenarioText() const { return scenarioText_; }
    const std::string& planText() const { return planText_; }
    const std::string& directory() const { return directory_; }

    int numCells() const;
    int numIntersections() const;
    int numApproaches() const;
    int endTime() const;
    int timeStep() const;
    // Named global parameters (volMultiplier, jamDensity, networkCycleTime, ...).
    std::vector<std::pair<std::string, double>> parameters() const;
    CellInfo cell(int number) const;  // 1..numCells
    std::vector<GroupInfo> approaches() const;
    std::vector<GroupInfo> plotGroups() const;
    // The signal records present, ascending.
    std::vector<int> signalRecords() const;

    // The scenario's own stage plan, and the plan of its plan file.
    Plan existingPlan() const;
    Plan planFile() const;
    Plan readPlan(const std::string& path) const;
    Plan parsePlan(const std::string& text, const std::string& name = "plan.tpl") const;
    // The plan file the engine writes for `plan` (CR LF lines).
    std::string planText(const Plan& plan) const;

    // Every plan's TWD and approach delays through the lanes evaluator, at most `laneWidth`
    // plans per batch (0: the widest; unset: as TALVO_LANES asks, unset the widest).
    std::vector<PlanDelays> evaluate(const std::vector<Plan>& plans,
                                     std::optional<int> laneWidth = std::nullopt) const;

    // The command line's run in `runDirectory` (created, the model's two files written
    // into it): the existing plan's or the variant's files, byte for byte as TALVO writes
    // them. An empty directory: a fresh temporary one.
    RunSummary writeRun(const std::string& runDirectory) const;
    RunSummary optimise(const OptimiseOptions& options, const std::string& runDirectory) const;

    const Scenario& scenario() const { return *scenario_; }
    const TimeTables& tables() const { return *tables_; }

  private:
    Model();
    std::string scenarioText_, planText_, directory_;
    std::unique_ptr<Scenario> scenario_;
    std::unique_ptr<TimeTables> tables_;
};

// One simulation of a model under a plan, stepped from outside.
class Simulation {
  public:
    explicit Simulation(std::shared_ptr<const Model> model);
    Simulation(std::shared_ptr<const Model> model, const Plan& plan);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    void reset();
    void step();
    // Steps to the end of the run; returns the TWD.
    float run();
    bool finished() const;
    int time() const;
    int stepIndex() const;
    int stepCount() const;

    // numCells()+1 values (index 0 "no cell"), valid until the next step or reset.
    const float* occupancies() const;
    const float* outflows() const;
    int rowLength() const;
    // Signal states of the next step by record number, numSignalSlots() values.
    const float* signalStates() const;
    int numSignalSlots() const;
    // Green (1), red (0) or the plan again (-1) for record `record` from the next step on.
    void setGreen(int record, int state);

    PlanDelays delays() const;
    const Model& model() const { return *model_; }

  private:
    struct State;
    std::shared_ptr<const Model> model_;
    std::unique_ptr<State> state_;
};

}  // namespace talvo
