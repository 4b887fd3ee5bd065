#include "platform/ProgramCommandLine.h"

#include <gtest/gtest.h>

namespace talvo {
namespace {

struct Line {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString text;
};

TEST(ProgramCommandLine, AnswersHelpVersionAndUsageErrorsBeforeTheProgramsOptions) {
    const struct {
        QStringList arguments;
        Line::Action action;
        const char* text;  // begins the answer
    } cases[] = {
        {{"Tool", "-h"}, Line::Action::Help, "Usage: Tool FILE\n\nDoes a thing.\n"},
        {{"Tool", "--version"}, Line::Action::Version, "Tool "},
        {{"Tool", "--frob"},
         Line::Action::Error,
         "Tool: Unknown option 'frob'.\nUsage: Tool FILE\nTry 'Tool --help' for more.\n"},
        {{"Tool", "file"}, Line::Action::Run, ""},
    };
    for (const auto& c : cases) {
        ProgramCommandLine common("Tool", "Usage: Tool FILE", "Does a thing.");
        common.parser().addPositionalArgument("FILE", "The file.");
        const Line line = common.answered<Line>(c.arguments).value_or(Line{});
        EXPECT_EQ(line.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.text.toStdString().rfind(c.text, 0), 0U) << line.text.toStdString();
    }
    EXPECT_TRUE(MayBeQtOption({"Tool", "-platform", "offscreen"}));
    EXPECT_FALSE(MayBeQtOption({"Tool", "--frob", "-h"}));
}

}  // namespace
}  // namespace talvo
