#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/ProjectReader.h"
#include "model/ExportChecks.h"
#include "model/ScenarioWriter.h"

namespace talvo {
namespace {

// The larger example's project gives exactly its engine input, which its generator writes
// beside it.
TEST(ExampleProject, GridExportsToTheBundledInput) {
    const std::string dir = std::string(TALVO_SOURCE_DIR) + "/examples/grid/";
    const ProjectReadResult read = ReadProject(dir + "grid.tin", ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    test::RecordingPrompter prompter;
    EXPECT_FALSE(ValidateForExport(read.project, prompter));
    EXPECT_TRUE(prompter.cautions.empty());
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(FormatScenario(read.project), test::ReadText(dir + "input.fin"));
    EXPECT_EQ(FormatPlan(read.project), test::ReadText(dir + "plan.tpl"));
}

}  // namespace
}  // namespace talvo
