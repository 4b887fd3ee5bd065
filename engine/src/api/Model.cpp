// The library's scenario: read once from its two texts, then shared read-only by
// evaluations and simulations; a whole run writes its texts into the run directory and
// runs there as the command line does.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "EngineError.h"
#include "Scenario.h"
#include "SignalControl.h"
#include "TimingPlanFile.h"
#include "api/ConsoleLines.h"
#include "api/PlanTables.h"
#include "api/TextEdits.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "lanes/LaneDelayEvaluator.h"
#include "optimiser/DelayCosts.h"
#include "talvo/Engine.h"

namespace talvo {

namespace {

std::string ReadFile(const std::filesystem::path& path, bool required) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (!required) {
            return {};
        }
        throw InputError("Cannot open the scenario file " + path.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WithSeparator(std::string directory) {
    if (!directory.empty() && directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw InputError("Cannot write " + path.string());
    }
}

std::string FreshDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "talvo-run-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw InputError("Cannot create a run directory under " + pattern);
    }
    return pattern;
}

// The run's console output, with the last line (an error's message) at hand.
RunSummary RunIn(const Model& model, std::string directory, const OptimiseOptions& options,
                 ConsoleLines& console) {
    if (directory.empty()) {
        directory = FreshDirectory();
    }
    std::filesystem::create_directories(directory);
    WriteFile(std::filesystem::path(directory) / "input.fin", model.scenarioText());
    WriteFile(std::filesystem::path(directory) / "plan.tpl", model.planText());
    RunRequest request;
    request.runDirectory = directory;
    request.threads = options.threads;
    request.refine = options.refine;
    request.lanes = options.lanes;
    request.seed = options.seed;
    std::ostream out(&console);
    out.exceptions(std::ios::badbit);  // a cancellation leaves the run through the console
    int status = 1;
    try {
        status = RunEngine(out, request);
    } catch (const std::ios_base::failure&) {
        // The driver's last message after a cancellation meets the console closed.
        if (!console.cancelled()) {
            throw;
        }
    }
    if (console.cancelled()) {
        throw Cancelled("optimisation cancelled");
    }
    if (status != 0) {
        throw InputError(console.lastLine());
    }
    RunSummary summary;
    summary.runDirectory = WithSeparator(directory);
    summary.console = console.text();
    summary.twd = console.lastTwd();
    return summary;
}

void CheckLaneWidth(const std::optional<int>& lanes) {
    if (lanes && *lanes < 0) {
        throw InputError("lanes is " + std::to_string(*lanes) +
                         ", expected 0 (the widest) or a whole number of at least 1");
    }
}

GroupInfo GroupOf(const Group& group) {
    GroupInfo info{group.weight, {}};
    for (size_t i = 1; i < group.cells.size(); ++i) {
        if (group.cells[i] != 0) {
            info.cells.push_back(group.cells[i]);
        }
    }
    return info;
}

}  // namespace

Model::Model() = default;
Model::~Model() = default;

std::shared_ptr<const Model> Model::fromDirectory(const std::string& directory) {
    const std::filesystem::path dir(directory);
    return fromText(ReadFile(dir / "input.fin", true), ReadFile(dir / "plan.tpl", false),
                    directory);
}

std::shared_ptr<const Model> Model::fromText(std::string scenarioText, std::string planText,
                                             std::string directory) {
    std::shared_ptr<Model> model(new Model());
    model->scenarioText_ = std::move(scenarioText);
    model->planText_ = std::move(planText);
    model->directory_ = WithSeparator(std::move(directory));
    model->scenario_ = std::make_unique<Scenario>();
    model->tables_ = std::make_unique<TimeTables>();
    std::istringstream in(model->scenarioText_);
    std::ostringstream echo, console;
    RecordWriter writer(echo);
    try {
        TokenReader reader(in, model->directory_ + "input.fin");
        ReadWholeScenario(reader, *model->scenario_, *model->tables_, writer, console);
    } catch (const EngineError& error) {
        throw InputError(error.what());
    }
    return model;
}

std::shared_ptr<const Model> Model::withVolMultiplier(double multiplier) const {
    std::ostringstream value;
    value.precision(9);
    value << multiplier;
    return fromText(ReplaceLine(scenarioText_, scenario_->volMultiplierLine, value.str()),
                    planText_, directory_);
}

std::shared_ptr<const Model> Model::withVariant(int variant) const {
    std::string text = ReplaceLine(scenarioText_, 1, variant == 0 ? "N" : "Y");
    if (variant != 0) {
        text = ReplaceLine(text, 2, std::to_string(variant));
    }
    return fromText(std::move(text), planText_, directory_);
}

int Model::numCells() const {
    return scenario_->numCells;
}
int Model::numIntersections() const {
    return scenario_->numIntersections;
}
int Model::numApproaches() const {
    return scenario_->numApproaches;
}
int Model::endTime() const {
    return scenario_->endSimulationStep;
}
int Model::timeStep() const {
    return scenario_->timeStep;
}

std::vector<std::pair<std::string, double>> Model::parameters() const {
    const Scenario& s = *scenario_;
    return {{"optimizationOn", s.optimising() ? 1 : 0},
            {"controlStrategy", s.controlStrategy},
            {"wvRatio", s.wvRatio},
            {"jamDensity", s.jamDensity},
            {"saturationFlow", s.saturationFlow},
            {"initialCellOccupancy", s.initialCellOccupancy},
            {"timeStep", s.timeStep},
            {"endSimulationStep", s.endSimulationStep},
            {"startStep", s.startStep},
            {"endStep", s.endStep},
            {"populationSize", s.populationSize},
            {"generationNum", s.generationNum},
            {"terminationNum", s.terminationNum},
            {"mutationRate", s.mutationRate},
            {"fitnessIndex", s.fitnessIndex},
            {"volMultiplier", s.volMultiplier},
            {"phaseCycle", s.phaseCycle},
            {"maxCycleTime", s.maxCycleTime},
            {"minGreenTime", s.minGreenTime},
            {"lostTime", s.lostTime},
            {"networkCycleTime", s.networkCycleTime},
            {"minCycleTime", s.minCycleTime}};
}

CellInfo Model::cell(int number) const {
    if (number < 1 || number > scenario_->numCells) {
        throw std::out_of_range("no cell " + std::to_string(number));
    }
    const Cell& c = scenario_->cells[size_t(number)];
    return {c.cellName, c.cellType, c.laneNum, c.qMax, c.holdingCapacity,
            c.from1,    c.from2,    c.to1,     c.to2,  c.isSignalised() ? c.signalID : 0};
}

std::vector<GroupInfo> Model::approaches() const {
    std::vector<GroupInfo> groups;
    for (int a = 1; a <= scenario_->numApproaches; ++a) {
        groups.push_back(GroupOf(scenario_->approaches[size_t(a)]));
    }
    return groups;
}

std::vector<GroupInfo> Model::plotGroups() const {
    std::vector<GroupInfo> groups;
    for (int g = 1; g <= scenario_->numPlotGroups; ++g) {
        groups.push_back(GroupOf(scenario_->plotGroups[size_t(g)]));
    }
    return groups;
}

std::vector<int> Model::signalRecords() const {
    return scenario_->signalNumbers;
}

Plan Model::existingPlan() const {
    const Scenario& s = *scenario_;
    Plan plan;
    plan.cycle = s.networkCycleTime;
    for (int p = 1; p <= s.numIntersections; ++p) {
        const Intersection& node = s.intersections[size_t(p)];
        plan.offsets.push_back(node.offset);
        plan.stageTimes.emplace_back(node.stageTime.begin() + 1,
                                     node.stageTime.begin() + 1 + node.stageCount);
    }
    return plan;
}

Plan Model::parsePlan(const std::string& text, const std::string& name) const {
    std::istringstream in(text);
    SignalTables tables;
    try {
        ReadTimingPlan(in, name, *scenario_, tables);
    } catch (const EngineError& error) {
        throw InputError(error.what());
    }
    return PlanOf(*scenario_, tables);
}

Plan Model::planFile() const {
    return parsePlan(planText_, directory_ + "plan.tpl");
}

Plan Model::readPlan(const std::string& path) const {
    return parsePlan(ReadFile(path, true), path);
}

std::string Model::planText(const Plan& plan) const {
    std::ostringstream out;
    try {
        WriteTimingPlan(out, *scenario_, SignalTablesOf(*scenario_, plan),
                        PlanFileHorizon(*scenario_));
    } catch (const EngineError& error) {
        throw InputError(error.what());
    }
    return out.str();
}

std::vector<PlanDelays> Model::evaluate(const std::vector<Plan>& plans,
                                        std::optional<int> laneWidth) const {
    std::vector<PlanDelays> delays(plans.size());
    try {
        CheckLaneWidth(laneWidth);
        const int width = laneWidth ? *laneWidth : LanesFromEnvironment();
        LaneDelayEvaluator evaluator(*scenario_, *tables_, WidestLaneKernel(width));
        const size_t batch = size_t(evaluator.width());
        auto twd = std::vector<float>(batch);
        auto results = std::vector<DelayResults>(batch);
        for (size_t first = 0; first < plans.size(); first += batch) {
            const int count = int(std::min(plans.size() - first, batch));
            for (int lane = 0; lane < count; ++lane) {
                evaluator.load(lane, SignalTablesOf(*scenario_, plans[first + size_t(lane)]));
            }
            evaluator.evaluate(count, twd.data(), results.data());
            for (int lane = 0; lane < count; ++lane) {
                PlanDelays& out = delays[first + size_t(lane)];
                out.twd = twd[size_t(lane)];
                const auto& seconds = results[size_t(lane)].approachDelaySeconds;
                out.approachDelays.assign(seconds.begin() + 1, seconds.end());
            }
        }
    } catch (const EngineError& error) {
        throw InputError(error.what());
    }
    return delays;
}

RunSummary Model::writeRun(const std::string& runDirectory) const {
    ConsoleLines console(nullptr);
    RunSummary summary = RunIn(*this, runDirectory, OptimiseOptions{}, console);
    if (!scenario_->optimising()) {
        summary.twd = evaluate({existingPlan()}, 0).front().twd;
    }
    return summary;
}

RunSummary Model::optimise(const OptimiseOptions& options, const std::string& runDirectory) const {
    CheckLaneWidth(options.lanes);
    if (options.seed && (*options.seed < 1 || *options.seed > 2147483646)) {
        throw InputError("seed is " + std::to_string(*options.seed) +
                         ", expected a whole number from 1 to 2147483646");
    }
    const std::shared_ptr<const Model> variant = withVariant(options.variant);
    ConsoleLines console(options.onGeneration);
    return RunIn(*variant, runDirectory, options, console);
}

}  // namespace talvo
