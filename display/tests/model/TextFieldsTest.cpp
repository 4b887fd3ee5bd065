#include "model/TextFields.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace talvo::display {
namespace {

std::vector<std::pair<std::string, int>> AllFields(const std::string& text, bool commas) {
    std::istringstream in(text);
    FieldStream fields(in, commas);
    std::vector<std::pair<std::string, int>> out;
    while (const auto field = fields.next()) {
        out.emplace_back(field->text, field->line);
    }
    return out;
}

TEST(FieldStream, GivesEachFieldWithItsLineAcrossLineEndsAndSeparators) {
    using Fields = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(AllFields("1\t30\r\n\r\n  0 , 60\n2", true),
              (Fields{{"1", 1}, {"30", 1}, {"0", 3}, {"60", 3}, {"2", 4}}));
    EXPECT_EQ(AllFields("a,b c", false), (Fields{{"a,b", 1}, {"c", 1}}));
    EXPECT_TRUE(AllFields("", true).empty());
    EXPECT_TRUE(AllFields(" \t\r\n\n", true).empty());
}

TEST(FieldStream, ReadsAVeryLongLineOneFieldAtATime) {
    std::string line;
    for (int i = 0; i < 100000; ++i) {
        line += "7 ";
    }
    std::istringstream in(line + "\n8");
    FieldStream fields(in, true);
    int count = 0;
    std::optional<TextField> last;
    while (auto field = fields.next()) {
        ++count;
        last = field;
    }
    EXPECT_EQ(count, 100001);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->text, "8");
    EXPECT_EQ(last->line, 2);
}

}  // namespace
}  // namespace talvo::display
