#pragma once
// A small scenario for the reader, preparation and echo tests: an origin, a signalised
// cell, a diverge with lower-case type code and two destinations, timeStep 2, 50 %
// preloaded, three loadings (one naming no cell), one intersection with one optimised
// stage, signal record 4, two approaches and one plot group of three places.

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EngineError.h"
#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"

namespace talvo::test {

inline std::vector<std::string> SmallScenarioLines() {
    return {
        "N",                                                                        // 1
        "1",                                                                        // 2
        "0.5",                                                                      // 3
        "150\t1800",                                                                // 4
        "50",                                                                       // 5
        "2\t20",                                                                    // 6
        "0\t20",                                                                    // 7
        "10",                                                                       // 8
        "5",                                                                        // 9
        "3",                                                                        // 10
        "0.05",                                                                     // 11
        "5",                                                                        // 12
        "N",                                                                        // 13
        "N",                                                                        // 14
        "5",                                                                        // 15
        "1-OR-1\t0\t2\t1\tOR\t0\t0\t1-TR-2\t0\t0\t0\t0\tN\t0\t36",                  // 16
        "1-TR-2\t0\t2\t1\tTR\t1-OR-1\t0\t1-DI-3\t0\t0\t0\t0\tY\t4\t36",             // 17
        "1-DI-3\t0\t2\t0.9\tdi\t1-TR-2\t0\t1-DE-4\t2-DE-5\t0.7\t0.3\t0\tN\t0\t36",  // 18
        "1-DE-4\t0\t2\t1\tDe\t1-DI-3\t0\t0\t0\t0\t0\t0\tN\t0\t36",                  // 19
        "2-DE-5\t0\t1\t1\tDE\t1-DI-3\t0\t0\t0\t0\t0\t0\tN\t0\t30",                  // 20
        "3",                                                                        // 21
        "1.5",                                                                      // 22
        "1-OR-1\t3600\t0\t9",                                                       // 23
        "1-OR-1\t1800\t5\t12",                                                      // 24
        "9-XX-9\t900\t0\t20",                                                       // 25
        "2",                                                                        // 26
        "90",                                                                       // 27
        "10",                                                                       // 28
        "4",                                                                        // 29
        "40",                                                                       // 30
        "1",                                                                        // 31
        "1\t3\t2\t30\t20",                                                          // 32
        "1",                                                                        // 33
        "1\t3\t2\t1\t0",                                                            // 34
        "1",                                                                        // 35
        "4\t1\tY\tN",                                                               // 36
        "2\t3",                                                                     // 37
        "1\t1\t1-OR-1\t1-TR-2\t0",                                                  // 38
        "2\t1\t1-DI-3\t0\t0",                                                       // 39
        "1\t3",                                                                     // 40
        "1\t1\ty\t0\t20\t1-TR-2\t1-DI-3\t1-DE-4",                                   // 41
    };
}

inline std::string JoinLines(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line + end;
    }
    return text;
}

// The small scenario with line `number` (1-based) replaced by `text`.
inline std::string SmallScenarioWith(int number, const std::string& text) {
    std::vector<std::string> lines = SmallScenarioLines();
    lines.at(size_t(number - 1)) = text;
    return JoinLines(lines);
}

// The result of reading a whole scenario text.
struct ReadResult {
    std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
    std::unique_ptr<TimeTables> tables = std::make_unique<TimeTables>();
    std::string echo;
    std::string console;
};

inline ReadResult ReadScenarioText(const std::string& text) {
    ReadResult result;
    std::istringstream in(text);
    std::ostringstream echo, console;
    TokenReader reader(in, "input.fin");
    RecordWriter writer(echo);
    ReadWholeScenario(reader, *result.scenario, *result.tables, writer, console);
    result.echo = echo.str();
    result.console = console.str();
    return result;
}

// The message of the EngineError that reading `text` throws, or "no error".
inline std::string ReadError(const std::string& text) {
    try {
        ReadScenarioText(text);
    } catch (const EngineError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace talvo::test
