#include "run/CommandLine.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "run/RunFiles.h"

#ifndef TALVO_VERSION
#define TALVO_VERSION "unknown"
#endif

namespace talvo {

namespace {

// More threads than this only cost memory: a generation has no more plans than that.
constexpr unsigned kMostThreads = 1024;

EngineCommandLine Error(std::string text) {
    EngineCommandLine line;
    line.action = EngineCommandLine::Action::Error;
    line.error = std::move(text);
    return line;
}

bool ParseThreads(const std::string& text, unsigned& threads) {
    const char* const end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, threads);
    return ec == std::errc() && stop == end && threads >= 1 && threads <= kMostThreads;
}

std::string CheckRunDirectory(const std::string& directory) {
    if (directory.empty()) {
        return "the run directory is an empty name";
    }
    if (const auto tooLong = RunDirectoryTooLong(directory, directory.size())) {
        return "the run directory is " + *tooLong;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(directory, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return "the run directory '" + directory + "' does not exist";
    }
    if (ec) {
        return "the run directory '" + directory + "' cannot be used (" + ec.message() + ")";
    }
    if (!std::filesystem::is_directory(status)) {
        return "'" + directory + "' is not a directory";
    }
    return {};
}

}  // namespace

EngineCommandLine ParseEngineCommandLine(const std::vector<std::string>& arguments) {
    EngineCommandLine line;
    std::vector<std::string> directories;
    bool optionsEnd = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnd || argument.empty() || argument[0] != '-' || argument == "-") {
            directories.push_back(argument);
        } else if (argument == "--") {
            optionsEnd = true;
        } else if (argument == "--help" || argument == "-h") {
            line.action = EngineCommandLine::Action::Help;
            return line;
        } else if (argument == "--version") {
            line.action = EngineCommandLine::Action::Version;
            return line;
        } else if (argument == "--refine") {
            line.request.refine = true;
        } else if (argument == "--threads" || argument.rfind("--threads=", 0) == 0) {
            std::string value;
            if (argument == "--threads") {
                if (i + 1 == arguments.size()) {
                    return Error("the option '--threads' needs a number");
                }
                value = arguments[++i];
            } else {
                value = argument.substr(std::string("--threads=").size());
            }
            if (!ParseThreads(value, line.request.threads)) {
                return Error("'--threads' takes a whole number from 1 to " +
                             std::to_string(kMostThreads) + ", not '" + value + "'");
            }
        } else {
            return Error("unknown option '" + argument + "'");
        }
    }
    if (directories.size() > 1) {
        return Error("one run directory at most, but " + std::to_string(directories.size()) +
                     " were given");
    }
    if (directories.size() == 1) {
        if (std::string problem = CheckRunDirectory(directories[0]); !problem.empty()) {
            return Error(problem);
        }
        line.request.runDirectory = directories[0];
    }
    return line;
}

std::string EngineUsageLine() {
    return "Usage: TALVO [--threads N] [--refine] [RUN_DIR]";
}

std::string EngineHelpText() {
    return EngineUsageLine() +
           "\n"
           "Simulates the existing timing plan of a scenario, or optimises its signal timings\n"
           "with the genetic algorithm, as the scenario's first line asks.\n"
           "\n"
           "  RUN_DIR        the run directory; without it, the one line of inout.dir in the\n"
           "                 current directory names it (as the editor writes it)\n"
           "  --threads N    evaluate each generation's plans on N threads (default: one per\n"
           "                 processor core); the results are the same for any N\n"
           "  --refine       after the GA, refine its best plan by a local search in whole\n"
           "                 seconds, also tried from the existing plan (optimisation runs)\n"
           "  -h, --help     print this text and exit\n"
           "  --version      print the version and exit\n"
           "\n"
           "Reads in the run directory:\n"
           "  input.fin                  the scenario\n"
           "  plan.tpl                   the existing timing plan\n"
           "Writes there:\n"
           "  output_exist.out           every run: the scenario echo; for the existing plan\n"
           "                             also its delays\n"
           "  opt_exist_plan.tpl, occu_exist.occ\n"
           "                             the existing plan's switching sequences, occupancy\n"
           "  output_V.out, opt_V_plan.tpl, occu_V.occ\n"
           "                             an optimisation's report, plan and occupancy, for the\n"
           "                             variant V = FGFC, VGFC or VGVC\n"
           "  results_exist.csv, results_V.csv\n"
           "                             beside each report: every approach's delay per\n"
           "                             vehicle and level of service\n"
           "  ctmplot_1.plt .. ctmplot_5.plt\n"
           "                             time-space occupancy of the plot groups to be plotted\n"
           "Each result is written as NAME.part first; all replace the earlier ones together\n"
           "when the run is complete, so a run that stops leaves the earlier results.\n"
           "\n"
           "Exit status: 0 the run is complete; 1 the run stopped on an error, whose message is\n"
           "the last line on the console; 2 the command line is wrong.\n";
}

std::string EngineVersionText() {
    return std::string("TALVO ") + TALVO_VERSION + "\n";
}

int RunEngineCommandLine(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const EngineCommandLine line = ParseEngineCommandLine(arguments);
    switch (line.action) {
        case EngineCommandLine::Action::Help:
            out << EngineHelpText() << std::flush;
            return 0;
        case EngineCommandLine::Action::Version:
            out << EngineVersionText() << std::flush;
            return 0;
        case EngineCommandLine::Action::Error:
            err << "TALVO: " << line.error << '\n'
                << EngineUsageLine() << '\n'
                << "Try 'TALVO --help' for more.\n"
                << std::flush;
            return 2;
        case EngineCommandLine::Action::Run:
            break;
    }
    return RunEngine(out, line.request);
}

}  // namespace talvo
