#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/ProjectReader.h"
#include "model/ExportChecks.h"
#include "model/ScenarioWriter.h"

namespace talvo {
namespace {

// Each larger example's project gives exactly its engine input, which its generator writes
// beside it.
class ExampleProject : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleProject, ExportsToTheBundledInput) {
    const std::string dir = std::string(TALVO_SOURCE_DIR) + "/examples/" + GetParam() + "/";
    const ProjectReadResult read = ReadProject(dir + GetParam() + ".tin", ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    test::RecordingPrompter prompter;
    EXPECT_FALSE(ValidateForExport(read.project, prompter));
    EXPECT_TRUE(prompter.cautions.empty());
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(FormatScenario(read.project), test::ReadText(dir + "input.fin"));
    EXPECT_EQ(FormatPlan(read.project), test::ReadText(dir + "plan.tpl"));
}

// The district holds ten times the old cell table and signals past 100.
INSTANTIATE_TEST_SUITE_P(Examples, ExampleProject, ::testing::Values("grid", "district"));

}  // namespace
}  // namespace talvo
