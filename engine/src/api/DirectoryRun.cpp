// The engine's whole run in a run directory, as the command line and the models' whole
// runs make it: the console and every result file.
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "EngineError.h"
#include "ExistingPlanRun.h"
#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/DelayCosts.h"
#include "optimiser/Optimiser.h"
#include "run/Console.h"
#include "run/EngineRun.h"
#include "run/OutputFile.h"
#include "run/ResultStaging.h"
#include "run/RunDirectoryLock.h"
#include "run/RunFiles.h"
#include "talvo/Engine.h"

namespace talvo {

namespace {

std::string Reason() {
    return std::strerror(errno);
}

// A stream open on `path`, or closed with the reason in errno. A directory, which opens as a
// stream that reads nothing, is refused as the system refuses to read it.
std::ifstream OpenForReading(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ignored;
    if (in && std::filesystem::is_directory(path, ignored)) {
        in.close();
        errno = EISDIR;
    }
    return in;
}

std::string ReadRunDirectoryFile(const std::string& inoutPath) {
    std::ifstream in = OpenForReading(inoutPath);
    if (!in.is_open()) {
        const std::string reason = Reason();
        throw EngineError("Cannot open " + std::filesystem::absolute(inoutPath).string() + " (" +
                          reason +
                          "): the engine reads the run directory from inout.dir in the "
                          "directory it is started in");
    }
    return ReadRunDirectory(in, inoutPath);
}

// A directory named on the command line gets the final separator that file names follow;
// a backslash there is part of its name, as the system has it.
std::string RunDirectoryOf(const RunRequest& request) {
    if (request.runDirectory.empty()) {
        return ReadRunDirectoryFile(request.inoutPath);
    }
    return request.runDirectory.back() == '/' ? request.runDirectory : request.runDirectory + '/';
}

std::ifstream OpenInput(const std::string& path, const char* what) {
    std::ifstream in = OpenForReading(path);
    if (!in.is_open()) {
        throw EngineError(std::string("Cannot open the ") + what + " " + path + " (" + Reason() +
                          ")");
    }
    return in;
}

void ShowBanner(std::ostream& console) {
    ConsoleEmptyLine(console);
    ConsoleEmptyLine(console);
    ConsoleEmptyLine(console);
    ConsoleLine(console, "   ** TALVO - CTM SIMULATION **");
    ConsoleEmptyLine(console);
}

// After an input error the reports show what was read and done up to it (the scenario's
// echo, an optimisation's heading): each that holds something and can be written whole
// replaces the earlier one. The run's other results are dropped, and the earlier ones stay.
void KeepPartialReports(const std::vector<OutputFile*>& reports, ResultStaging& results) {
    for (OutputFile* report : reports) {
        try {
            const bool written = report->stream().tellp() > 0;
            report->close();
            if (written) {
                results.commitOnly(report->path());
            }
        } catch (const EngineError&) {
            // The input error is the message; the earlier report stays as it was.
        }
    }
}

void RunInDirectory(std::ostream& console, const RunRequest& request, ResultStaging& results,
                    std::chrono::steady_clock::time_point startTime) {
    const RunFiles& files = results.writing();
    std::ifstream input = OpenInput(files.inputFin, "scenario file");

    TokenReader reader(input, files.inputFin);
    auto scenario = std::make_unique<Scenario>();
    auto tables = std::make_unique<TimeTables>();
    ReadRunChoice(reader, *scenario);
    // The existing plan is read by the existing-plan path and by a search seeded with it;
    // a missing one is reported as soon as the run is known to need it.
    if (!scenario->optimising()) {
        OpenInput(files.planTpl, "timing plan file");
    }

    OutputFile existReport(files.outputExist);
    std::unique_ptr<OutputFile> variantReport;
    if (scenario->optimising()) {
        variantReport =
            std::make_unique<OutputFile>(files.variantReport(scenario->controlStrategy));
    }
    try {
        RecordWriter existWriter(existReport.stream());
        std::unique_ptr<RecordWriter> variantWriter;
        if (variantReport) {
            variantWriter = std::make_unique<RecordWriter>(variantReport->stream());
        }

        ConsoleLine(console, "Reading and Writing Global Parameters...");
        ReadScenario(reader, *scenario, *tables, existWriter, console);
        existReport.flush();
        ConsoleLine(console, "Closing Scenario File...");
        input.close();
        if (scenario->optimising() && scenario->adaptWebster == 'Y') {
            OpenInput(files.planTpl, "timing plan file");
        }

        EngineRun run{files,
                      *scenario,
                      *tables,
                      existReport.stream(),
                      existWriter,
                      variantReport ? &variantReport->stream() : nullptr,
                      variantWriter.get(),
                      console,
                      startTime};
        // The two paths: each is one call taking `run`.
        if (scenario->optimising()) {
            const RefineOptions refine{request.refine};
            if (request.lanes || request.seed) {
                RunOptimisation(run, request.threads,
                                request.lanes ? *request.lanes : LanesFromEnvironment(), refine,
                                request.seed.value_or(1));
            } else {
                RunOptimisation(run, request.threads, refine);  // as TALVO_LANES asks
            }
        } else {
            RunExistingPlan(run);
        }

        existReport.close();
        if (variantReport) {
            variantReport->close();
        }
    } catch (const OutputFileError&) {
        throw;
    } catch (const EngineError&) {
        std::vector<OutputFile*> reports{&existReport};
        if (variantReport) {
            reports.push_back(variantReport.get());
        }
        KeepPartialReports(reports, results);
        throw;
    }
}

int Run(std::ostream& console, const RunRequest& request) {
    ShowBanner(console);
    const auto startTime = std::chrono::steady_clock::now();
    ConsoleLine(console, "Opening Scenario File");
    ConsoleEmptyLine(console);

    const RunFiles files = FormRunFiles(RunDirectoryOf(request));
    // Held until the run has put its last result in place.
    const RunDirectoryLock lock(files.runDirectory, console);
    // Results are written beside the earlier ones and replace them only when all are
    // written.
    ResultStaging results(files);
    RunInDirectory(console, request, results, startTime);
    results.commit();
    ConsoleLine(console, "Stop - Program terminated.");
    return 0;
}

}  // namespace

int RunEngine(std::ostream& console, const std::string& inoutPath) {
    RunRequest request;
    request.inoutPath = inoutPath;
    return RunEngine(console, request);
}

int RunEngine(std::ostream& console, const RunRequest& request) {
    try {
        return Run(console, request);
    } catch (const EngineError& error) {
        ConsoleLine(console, error.what());  // each message names its cause itself
        return 1;
    } catch (const std::exception& error) {
        ConsoleLine(console, std::string("Error: unexpected failure: ") + error.what());
        return 1;  // 2 is the command line's: the run itself failed
    }
}

}  // namespace talvo
