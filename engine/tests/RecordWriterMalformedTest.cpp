// Lists the writer must refuse, values that do not suit their descriptors, and what the
// writer leaves behind after refusing.

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "format/RecordWriter.h"

namespace talvo {
namespace {

struct MalformedCase {
    const char* name;
    std::string format;
    const char* faultWords;  // part of the message
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name << " " << c.format;
}

class MalformedListTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedListTest, IsRefusedWithItsFault) {
    const auto& c = GetParam();
    try {
        CompiledFormat compiled(c.format);
        FAIL() << "accepted " << c.format;
    } catch (const std::invalid_argument& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(c.faultWords), std::string::npos) << message;
        EXPECT_NE(message.find(c.format), std::string::npos) << message;
    }
    EXPECT_THROW(FormatRecord(c.format, {1}), std::invalid_argument);
}

std::string DeeplyNested() {
    std::string format = "(";
    for (int i = 0; i < 40; ++i) {
        format += "(";
    }
    format += "I1";
    for (int i = 0; i < 41; ++i) {
        format += ")";
    }
    return format;
}

// clang-format off
const MalformedCase kMalformed[] = {
    {"Empty", "", "must begin with '('"},
    {"NoParentheses", "I5", "must begin with '('"},
    {"Unclosed", "(I5", "missing ')'"},
    {"UnclosedGroup", "(3('a'),'b'", "missing ')'"},
    {"ExtraClosing", "(I5))", "after the closing parenthesis"},
    {"TextAfterList", "(I5)x", "after the closing parenthesis"},
    {"TrailingComma", "(I5,)", "comma before ')'"},
    {"LeadingComma", "(,I5)", "misplaced comma"},
    {"DoubleComma", "(I5,,I3)", "misplaced comma"},
    {"MissingComma", "(I5 I3)", "missing comma"},
    {"IntegerWithoutWidth", "(I)", "I without a width"},
    {"IntegerWithDotOnly", "(I5.)", "no digit count"},
    {"RealWithoutWidth", "(F.2)", "F without a width"},
    {"RealWithoutDecimals", "(F7)", "F without '.d'"},
    {"RealWithDotOnly", "(F7.)", "F without a decimal count"},
    {"UnknownDescriptor", "(Q5)", "unknown descriptor 'Q'"},
    {"ExponentNotSupported", "(E12.4)", "unknown descriptor 'E'"},
    {"CountWithoutDescriptor", "(5)", "unknown descriptor ')'"},
    {"CountAtEnd", "(5", "descriptor missing"},
    {"UnclosedText", "('abc)", "closing quote"},
    {"ZeroCount", "(0I5)", "count of 0"},
    {"ZeroSkip", "(0X)", "count of 0"},
    {"ZeroWidthText", "(A0)", "A with width 0"},
    {"HugeCount", "(99999I5)", "larger than"},
    {"HugeWidth", "(I5000)", "larger than"},
    {"HollerithPastEnd", "(9Habc)", "past the end"},
    {"HollerithWithoutCount", "(H)", "H without"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Lists, MalformedListTest, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MalformedListDetailTest, DeepNestingIsRefused) {
    EXPECT_THROW(CompiledFormat{DeeplyNested()}, std::invalid_argument);
    EXPECT_EQ(FormatRecord("((((I1))))", {4}), "4\r\n");
}

TEST(MalformedListDetailTest, ColumnOfTheFaultIsNamed) {
    try {
        CompiledFormat compiled("(I5,Q)");
        FAIL();
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("column 5"), std::string::npos) << error.what();
    }
}

struct WrongValueCase {
    const char* name;
    std::string format;
    FormatValues values;
};

class WrongValueTest : public ::testing::TestWithParam<WrongValueCase> {};

TEST_P(WrongValueTest, IsRefused) {
    const auto& c = GetParam();
    EXPECT_THROW(FormatRecord(c.format, c.values), std::invalid_argument);
}

// clang-format off
const WrongValueCase kWrongValues[] = {
    {"RealUnderI", "(I5)", {1.5f}},
    {"DoubleUnderI", "(I5)", {1.5}},
    {"TextUnderI", "(I5)", {std::string("7")}},
    {"IntegerUnderF", "(F5.1)", {1}},
    {"TextUnderF", "(F5.1)", {std::string("1.0")}},
    {"IntegerUnderA", "(A)", {3}},
    {"RealUnderA", "(A5)", {3.0f}},
    {"SecondValueWrong", "(I3,I3)", {1, 2.0f}},
    {"WrongAfterReuse", "(I3)", {1, 2, 3.0f}},
    // Values that a list without data descriptors could never take would loop forever.
    {"TextOnlyWithValue", "('abc')", {1}},
    {"BlankRecordWithValue", "(' ')", {std::string("x")}},
    {"SkipOnlyWithValues", "(5X)", {1, 2}},
    {"ReusedPartHasNoDataDescriptor", "(I1,2('x'))", {1, 2}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Values, WrongValueTest, ::testing::ValuesIn(kWrongValues),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WrongValueDetailTest, MessageNamesTheValueAndDescriptor) {
    try {
        FormatRecord("(I3,F5.1)", {1, 2});
        FAIL();
    } catch (const std::invalid_argument& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("value 2"), std::string::npos) << message;
        EXPECT_NE(message.find("F5.1"), std::string::npos) << message;
        EXPECT_NE(message.find("an integer"), std::string::npos) << message;
    }
}

TEST(WrongValueDetailTest, RefusedWriteLeavesNothingBehind) {
    std::ostringstream out;
    RecordWriter writer(out);
    writer.write("('open',3X,\\)");
    EXPECT_THROW(writer.write("(I3,'x',I3)", {1, 2.0f}), std::invalid_argument);
    EXPECT_THROW(writer.write("(I3", {1}), std::invalid_argument);
    EXPECT_TRUE(writer.recordOpen());
    writer.write("('end')");
    EXPECT_EQ(out.str(), "open   end\r\n");
}

TEST(WrongValueDetailTest, ValuesWithoutDescriptorsStillRefusedWhenListIsCached) {
    std::ostringstream out;
    RecordWriter writer(out);
    writer.write("(' ')");
    EXPECT_THROW(writer.write("(' ')", {1}), std::invalid_argument);
    writer.write("(' ')");
    EXPECT_EQ(out.str(), " \r\n \r\n");
}

}  // namespace
}  // namespace talvo
