// The results table beside the report: the level-of-service letters at their thresholds,
// and the whole table of the bundled arterial's existing-plan run.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ApproachResults.h"
#include "TestFiles.h"
#include "talvo/Engine.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;

TEST(ApproachResults, LevelOfServiceLettersAtTheirThresholds) {
    const std::vector<std::pair<double, char>> cases = {
        {0.0, 'A'},  {10.0, 'A'}, {10.01, 'B'}, {20.0, 'B'},  {34.99, 'C'}, {35.0, 'C'},
        {55.0, 'D'}, {55.5, 'E'}, {80.0, 'E'},  {80.01, 'F'}, {1000.0, 'F'}};
    for (const auto& [delay, letter] : cases)
        EXPECT_EQ(LevelOfService(delay), letter) << delay;
}

TEST(ApproachResults, ArterialExistingPlanTable) {
    const fs::path source = fs::path(TALVO_SOURCE_DIR) / "examples" / "arterial";
    test::ScratchDir runDir;
    fs::copy_file(source / "input.fin", runDir.path() / "input.fin");
    fs::copy_file(source / "plan.tpl", runDir.path() / "plan.tpl");
    RunRequest request;
    request.runDirectory = runDir.path().string();
    std::ostringstream console;
    ASSERT_EQ(RunEngine(console, request), 0) << console.str();
    EXPECT_EQ(test::ReadFileText(runDir.path() / "results_exist.csv"),
              test::ReadFileText(test::DataDir() / "results" / "arterial-results_exist.csv"));
}

}  // namespace
}  // namespace talvo
