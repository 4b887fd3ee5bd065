// talvo._engine: the engine library for Python. Runs release the GIL; a single step does
// not, as it takes less time than releasing and taking it again.
#include <pybind11/functional.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>

#include "talvo/Engine.h"

namespace py = pybind11;
using talvo::Model;
using ModelPtr = std::shared_ptr<Model>;

// Python holds models as shared_ptr<Model>; every method bound is const.
ModelPtr Held(std::shared_ptr<const Model> model) {
    return std::const_pointer_cast<Model>(std::move(model));
}

namespace {

// A live NumPy view of `count` floats owned by `owner` (no copy).
py::array_t<float> View(const float* data, int count, py::handle owner) {
    return py::array_t<float>({py::ssize_t(count)}, {py::ssize_t(sizeof(float))}, data, owner);
}

py::dict Parameters(const Model& model) {
    py::dict out;
    for (const auto& [name, value] : model.parameters()) {
        out[py::str(name)] = value;
    }
    return out;
}

talvo::RunSummary Optimise(const ModelPtr& model, int variant, unsigned threads,
                           const py::object& callback, const std::string& runDirectory, bool refine,
                           std::optional<int> lanes, std::optional<int> seed) {
    talvo::OptimiseOptions options;
    options.variant = variant;
    options.threads = threads;
    options.refine = refine;
    options.lanes = lanes;
    options.seed = seed;
    std::optional<py::error_already_set> failure;
    if (!callback.is_none()) {
        options.onGeneration = [&](const talvo::GenerationProgress& progress) {
            py::gil_scoped_acquire gil;
            try {
                const py::object answer = callback(progress);
                return answer.is_none() || answer.cast<bool>();
            } catch (py::error_already_set& error) {
                failure = std::move(error);
                return false;
            }
        };
    }
    try {
        py::gil_scoped_release nogil;
        return model->optimise(options, runDirectory);
    } catch (const talvo::Cancelled&) {
        if (failure) {
            throw std::move(*failure);
        }
        throw;
    }
}

}  // namespace

PYBIND11_MODULE(_engine, m) {
    m.doc() = "The TALVO engine: CTM simulation and GA signal-timing optimisation.";
    static py::exception<talvo::InputError> inputError(m, "InputError", PyExc_ValueError);
    py::register_exception<talvo::Cancelled>(m, "Cancelled", PyExc_RuntimeError);
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) {
                std::rethrow_exception(p);
            }
        } catch (const talvo::InputError& error) {
            inputError(error.what());
        }
    });

    py::class_<talvo::CellInfo>(m, "Cell", "One cell of a scenario.")
        .def_readonly("name", &talvo::CellInfo::name)
        .def_readonly("type", &talvo::CellInfo::type)
        .def_readonly("lanes", &talvo::CellInfo::lanes)
        .def_readonly("max_flow", &talvo::CellInfo::maxFlow)
        .def_readonly("holding_capacity", &talvo::CellInfo::holdingCapacity)
        .def_readonly("from1", &talvo::CellInfo::from1)
        .def_readonly("from2", &talvo::CellInfo::from2)
        .def_readonly("to1", &talvo::CellInfo::to1)
        .def_readonly("to2", &talvo::CellInfo::to2)
        .def_readonly("signal", &talvo::CellInfo::signal)
        .def("__repr__", [](const talvo::CellInfo& c) { return "<Cell " + c.name + ">"; });

    py::class_<talvo::GroupInfo>(m, "Group", "An approach or plot group: weight and cells.")
        .def_readonly("weight", &talvo::GroupInfo::weight)
        .def_readonly("cells", &talvo::GroupInfo::cells);

    py::class_<talvo::Plan>(m, "Plan",
                            "A timing plan: cycle, offsets and stage times per intersection, "
                            "or switching sequences read from a plan file.")
        .def(py::init<>())
        .def(py::init(
                 [](int cycle, std::vector<int> offsets, std::vector<std::vector<int>> stageTimes) {
                     return talvo::Plan{cycle, std::move(offsets), std::move(stageTimes), {}};
                 }),
             py::arg("cycle"), py::arg("offsets"), py::arg("stage_times"))
        .def_readwrite("cycle", &talvo::Plan::cycle)
        .def_readwrite("offsets", &talvo::Plan::offsets)
        .def_readwrite("stage_times", &talvo::Plan::stageTimes)
        .def_readwrite("sequences", &talvo::Plan::sequences)
        .def_property_readonly("is_sequences", &talvo::Plan::isSequences)
        .def_static(
            "read", [](const ModelPtr& s, const std::string& path) { return s->readPlan(path); },
            py::arg("scenario"), py::arg("path"), "Reads a plan file for `scenario`.")
        .def(
            "text",
            [](const talvo::Plan& p, const ModelPtr& s) { return py::bytes(s->planText(p)); },
            py::arg("scenario"), "The plan file the engine writes for this plan (bytes).")
        .def("__repr__", [](const talvo::Plan& p) {
            return p.isSequences() ? std::string("<Plan sequences>")
                                   : "<Plan cycle=" + std::to_string(p.cycle) + ">";
        });

    py::class_<talvo::GenerationProgress>(m, "Progress", "One GA generation's TWDs.")
        .def_readonly("stage", &talvo::GenerationProgress::stage)
        .def_readonly("generation", &talvo::GenerationProgress::generation)
        .def_readonly("worst_twd", &talvo::GenerationProgress::worstTwd)
        .def_readonly("generation_best", &talvo::GenerationProgress::generationBest)
        .def_readonly("best_twd", &talvo::GenerationProgress::bestTwd);

    py::class_<talvo::PlanDelays>(m, "Delays", "A plan's TWD and approach delays (veh-s).")
        .def_readonly("twd", &talvo::PlanDelays::twd)
        .def_readonly("approach_delays", &talvo::PlanDelays::approachDelays);

    py::class_<talvo::RunSummary>(m, "RunResult", "A whole run: TWD, run directory, console.")
        .def_readonly("twd", &talvo::RunSummary::twd)
        .def_readonly("run_directory", &talvo::RunSummary::runDirectory)
        .def_readonly("console", &talvo::RunSummary::console);

    py::class_<Model, ModelPtr>(m, "Scenario", "A scenario (input.fin) with its plan file.")
        .def(py::init([](const std::string& dir) {
                 py::gil_scoped_release nogil;
                 return Held(Model::fromDirectory(dir));
             }),
             py::arg("directory"), "Reads input.fin and plan.tpl of a run directory.")
        .def_static(
            "from_text",
            [](std::string scenario, std::string plan, std::string dir) {
                py::gil_scoped_release nogil;
                return Held(Model::fromText(std::move(scenario), std::move(plan), std::move(dir)));
            },
            py::arg("scenario_text"), py::arg("plan_text") = "", py::arg("directory") = "",
            "Reads a scenario from text; `directory` names its files in messages.")
        .def(
            "with_vol_multiplier",
            [](const Model& s, double v) { return Held(s.withVolMultiplier(v)); },
            py::arg("multiplier"), py::call_guard<py::gil_scoped_release>(),
            "The scenario with another demand multiplier.")
        .def(
            "with_variant", [](const Model& s, int v) { return Held(s.withVariant(v)); },
            py::arg("variant"), py::call_guard<py::gil_scoped_release>(),
            "The scenario as a run of the existing plan (0) or of variant 1..3.")
        .def_property_readonly("scenario_text", &Model::scenarioText)
        .def_property_readonly("plan_text", [](const Model& s) { return s.planText(); })
        .def_property_readonly("directory", &Model::directory)
        .def_property_readonly("num_cells", &Model::numCells)
        .def_property_readonly("num_intersections", &Model::numIntersections)
        .def_property_readonly("end_time", &Model::endTime)
        .def_property_readonly("time_step", &Model::timeStep)
        .def_property_readonly("parameters", &Parameters, "Global parameters by name.")
        .def_property_readonly(
            "cells",
            [](const Model& s) {
                std::vector<talvo::CellInfo> cells;
                for (int c = 1; c <= s.numCells(); ++c) {
                    cells.push_back(s.cell(c));
                }
                return cells;
            },
            "Cells 1..num_cells (list index 0 is cell 1).")
        .def_property_readonly("approaches", &Model::approaches)
        .def_property_readonly("plot_groups", &Model::plotGroups)
        .def_property_readonly("signal_records", &Model::signalRecords)
        .def("existing_plan", &Model::existingPlan, "The scenario's own stage plan.")
        .def("plan_file", &Model::planFile, "The plan of its plan file (sequences).")
        .def("write_run", &Model::writeRun, py::arg("run_directory") = "",
             py::call_guard<py::gil_scoped_release>(),
             "Runs as the command line does in `run_directory` (a fresh temporary one when "
             "empty), writing the same files.");

    py::class_<talvo::Simulation>(m, "Simulation",
                                  "One simulation stepped from Python; each its own engine.")
        .def(py::init([](const ModelPtr& s, std::optional<talvo::Plan> plan) {
                 return plan ? std::make_unique<talvo::Simulation>(s, *plan)
                             : std::make_unique<talvo::Simulation>(s);
             }),
             py::arg("scenario"), py::arg("plan") = py::none())
        .def("reset", &talvo::Simulation::reset, "Back to second 0, overrides dropped.")
        .def("step", &talvo::Simulation::step, "Runs one time step.")
        .def("run", &talvo::Simulation::run, py::call_guard<py::gil_scoped_release>(),
             "Steps to the end of the run (GIL released); returns the TWD.")
        .def_property_readonly("finished", &talvo::Simulation::finished)
        .def_property_readonly("time", &talvo::Simulation::time)
        .def_property_readonly("step_index", &talvo::Simulation::stepIndex)
        .def_property_readonly("step_count", &talvo::Simulation::stepCount)
        .def_property_readonly(
            "occupancy",
            [](py::object self) {
                const auto& sim = self.cast<const talvo::Simulation&>();
                return View(sim.occupancies(), sim.rowLength(), self);
            },
            "Vehicles per cell (index 0 'no cell'): a live, read-only view without copy.")
        .def_property_readonly(
            "outflow",
            [](py::object self) {
                const auto& sim = self.cast<const talvo::Simulation&>();
                return View(sim.outflows(), sim.rowLength(), self);
            },
            "Vehicles that left each cell during the last step (live view).")
        .def_property_readonly(
            "signal_states",
            [](py::object self) {
                const auto& sim = self.cast<const talvo::Simulation&>();
                return View(sim.signalStates(), sim.numSignalSlots(), self);
            },
            "1 green / 0 red per signal record for the next step (live view).")
        .def("set_green", &talvo::Simulation::setGreen, py::arg("record"), py::arg("state"),
             "Signal record green (1), red (0) or following the plan (-1) from the next step.")
        .def("delays", &talvo::Simulation::delays, "TWD and approach delays so far.");

    m.def(
        "evaluate",
        [](const ModelPtr& s, const std::vector<talvo::Plan>& plans, std::optional<int> lanes) {
            py::gil_scoped_release nogil;
            return s->evaluate(plans, lanes);
        },
        py::arg("scenario"), py::arg("plans"), py::arg("lanes") = py::none(),
        "TWD and approach delays of every plan (lanes evaluator, GIL released); at most "
        "`lanes` plans per batch (1 one at a time, 0 the widest; None: as TALVO_LANES asks, "
        "unset the widest). The results are the same for any width.");
    m.def("optimise", &Optimise, py::arg("scenario"), py::arg("variant") = 3,
          py::arg("threads") = 0, py::arg("callback") = py::none(), py::arg("run_directory") = "",
          py::arg("refine") = false, py::arg("lanes") = py::none(), py::arg("seed") = py::none(),
          "Runs the GA for variant 1 (FGFC), 2 (VGFC) or 3 (VGVC) as the command line does, "
          "writing its files; callback(progress) per generation, False cancels; `lanes` the "
          "lane width of its evaluations, as for evaluate(); `seed` the GA's first random state "
          "(1..2147483646, None the engine's own 1).");
}
