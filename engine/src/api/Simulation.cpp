// The library's simulation: the engine's stepping core over a shared model, with the
// plan's signal tables built once.
#include <stdexcept>

#include "EngineError.h"
#include "NetworkStepper.h"
#include "api/PlanTables.h"
#include "talvo/Engine.h"

namespace talvo {

struct Simulation::State {
    std::unique_ptr<NetworkStepper> stepper;
};

Simulation::Simulation(std::shared_ptr<const Model> model)
    : Simulation(model, model->existingPlan()) {}

Simulation::Simulation(std::shared_ptr<const Model> model, const Plan& plan)
    : model_(std::move(model)), state_(std::make_unique<State>()) {
    try {
        const SignalTables tables = SignalTablesOf(model_->scenario(), plan);
        state_->stepper =
            std::make_unique<NetworkStepper>(model_->scenario(), model_->tables(), tables);
    } catch (const EngineError& error) {
        throw InputError(error.what());
    }
}

Simulation::~Simulation() = default;

void Simulation::reset() {
    state_->stepper->reset();
}
void Simulation::step() {
    state_->stepper->step();
}

float Simulation::run() {
    NetworkStepper& stepper = *state_->stepper;
    while (!stepper.finished()) {
        stepper.step();
    }
    return stepper.delays().totalWeightedDelay;
}

bool Simulation::finished() const {
    return state_->stepper->finished();
}
int Simulation::time() const {
    return state_->stepper->time();
}
int Simulation::stepIndex() const {
    return state_->stepper->stepIndex();
}
int Simulation::stepCount() const {
    return state_->stepper->stepCount();
}
const float* Simulation::occupancies() const {
    return state_->stepper->occupancies();
}
const float* Simulation::outflows() const {
    return state_->stepper->outflows();
}
int Simulation::rowLength() const {
    return state_->stepper->numCells() + 1;
}
const float* Simulation::signalStates() const {
    return state_->stepper->signalStates();
}
int Simulation::numSignalSlots() const {
    return state_->stepper->numSignalSlots();
}

void Simulation::setGreen(int record, int state) {
    if (record < 0 || record >= numSignalSlots()) {
        throw std::out_of_range("no signal record " + std::to_string(record));
    }
    const SignalOverride mode = state < 0    ? SignalOverride::Plan
                                : state == 0 ? SignalOverride::Red
                                             : SignalOverride::Green;
    state_->stepper->overrideSignal(record, mode);
}

PlanDelays Simulation::delays() const {
    const DelayResults results = state_->stepper->delays();
    PlanDelays out;
    out.twd = results.totalWeightedDelay;
    if (!results.approachDelaySeconds.empty()) {
        out.approachDelays.assign(results.approachDelaySeconds.begin() + 1,
                                  results.approachDelaySeconds.end());
    }
    return out;
}

}  // namespace talvo
