#include "RunDriver.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "EngineError.h"
#include "ExistingPlanRun.h"
#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/Optimiser.h"
#include "run/Console.h"
#include "run/EngineRun.h"
#include "run/OutputFile.h"
#include "run/RunDirectoryLock.h"
#include "run/RunFiles.h"

namespace talvo {

namespace {

std::string Reason() {
    return std::strerror(errno);
}

std::string ReadRunDirectoryFile(const std::string& inoutPath) {
    std::ifstream in(inoutPath, std::ios::binary);
    if (!in) {
        const std::string reason = Reason();
        throw EngineError("Cannot open " + std::filesystem::absolute(inoutPath).string() + " (" +
                          reason +
                          "): the engine reads the run directory from inout.dir in the "
                          "directory it is started in");
    }
    return ReadRunDirectory(in, inoutPath);
}

// A directory named on the command line gets the final separator that file names follow.
std::string RunDirectoryOf(const RunRequest& request) {
    if (request.runDirectory.empty()) {
        return ReadRunDirectoryFile(request.inoutPath);
    }
    const char last = request.runDirectory.back();
    return last == '/' || last == '\\' ? request.runDirectory : request.runDirectory + '/';
}

std::ifstream OpenInput(const std::string& path, const char* what) {
    std::ifstream in(path, std::ios::binary);
    // A directory opens as a stream that reads nothing.
    std::error_code ignored;
    if (in && std::filesystem::is_directory(path, ignored)) {
        errno = EISDIR;
        in.close();
    }
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

int Run(std::ostream& console, const RunRequest& request) {
    ShowBanner(console);
    const auto startTime = std::chrono::steady_clock::now();
    ConsoleLine(console, "Opening Scenario File");
    ConsoleEmptyLine(console);

    const RunFiles files = FormRunFiles(RunDirectoryOf(request));
    // Held until the run has written its last file.
    const RunDirectoryLock lock(files.runDirectory, console);
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

    // Written files are created when missing and rewritten from the start when present.
    OutputFile existReport(files.outputExist);
    RecordWriter existWriter(existReport.stream());
    std::unique_ptr<OutputFile> variantReport;
    std::unique_ptr<RecordWriter> variantWriter;
    if (scenario->optimising()) {
        variantReport =
            std::make_unique<OutputFile>(files.variantReport(scenario->controlStrategy));
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
        RunOptimisation(run, request.threads, RefineOptions{request.refine});
    } else {
        RunExistingPlan(run);
    }

    existReport.close();
    if (variantReport) {
        variantReport->close();
    }
    ConsoleLine(console, "Stop - Program terminated.");
    return 0;
}

}  // namespace

int RunEngine() {
    return RunEngine(std::cout, RunRequest{});
}

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
