// Each edit descriptor on its own and in combination: fields, rounding, asterisks,
// repeats, groups, reuse of the list, record ends and open records.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "format/RecordWriter.h"

namespace talvo {
namespace {

struct DescriptorCase {
    const char* name;
    std::string format;
    FormatValues values;
    std::string expected;
};

void PrintTo(const DescriptorCase& c, std::ostream* os) {
    *os << c.name << " " << c.format;
}

class DescriptorTest : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorTest, WritesExpectedText) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatRecord(c.format, c.values), c.expected);
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

std::string S(const char* text) {
    return std::string(text);
}

// clang-format off
const DescriptorCase kTextCases[] = {
    {"Text", "('abc')", {}, "abc\r\n"},
    {"BlankRecord", "(' ')", {}, " \r\n"},
    {"DoubledQuote", "('It''s')", {}, "It's\r\n"},
    {"QuoteAtEnd", "('a''','b')", {}, "a'b\r\n"},
    {"DoubleQuotedText", "(\"say \"\"hi\"\" 'x'\")", {}, "say \"hi\" 'x'\r\n"},
    {"Hollerith", "(5Hhe,lo,'!')", {}, "he,lo!\r\n"},
    {"AdjacentTexts", "('x''y' 'z')", {}, "x'yz\r\n"},
    {"TabsKept", "('V/W ratio:\t\t',6X,F7.2)", {0.5f}, "V/W ratio:\t\t         0.50\r\n"},
    {"RepeatedText", "(3('ab'),2'-')", {}, "ababab--\r\n"},
    {"EmptyList", "()", {}, "\r\n"},
    {"BlanksBetweenItems", "( I3 , 2X , F5.1 , 'x' )", {7, 1.25f}, "  7    1.3x\r\n"},
    {"LowerCase", "(i3,f5.1,a,2x,a2)", {7, 2.0f, S("ab"), S("cd")}, "  7  2.0ab  cd\r\n"},
};

const DescriptorCase kIntegerCases[] = {
    {"Positive", "(I5)", {42}, "   42\r\n"},
    {"Negative", "(I5)", {-42}, "  -42\r\n"},
    {"Zero", "(I5)", {0}, "    0\r\n"},
    {"ExactWidth", "(I3)", {999}, "999\r\n"},
    {"TooWide", "(I3)", {1234}, "***\r\n"},
    {"NegativeExactWidth", "(I3)", {-99}, "-99\r\n"},
    {"NegativeTooWide", "(I3)", {-100}, "***\r\n"},
    {"OneColumnZero", "(I1)", {0}, "0\r\n"},
    {"OneColumnNegative", "(I1)", {-1}, "*\r\n"},
    {"SmallestInteger", "(I11)", {kMinInt}, "-2147483648\r\n"},
    {"LargestInteger", "(I11)", {kMaxInt}, " 2147483647\r\n"},
    {"NarrowestField", "(I0,'|',I0)", {-17, 5}, "-17|5\r\n"},
    {"MinimumDigits", "(I5.3)", {7}, "  007\r\n"},
    {"MinimumDigitsNegative", "(I5.3)", {-7}, " -007\r\n"},
    {"ZeroDigitsOfZero", "(I4.0,'|')", {0}, "    |\r\n"},
    {"RepeatedIntegers", "(4I5)", {2, 0, 13, -1}, "    2    0   13   -1\r\n"},
};

const DescriptorCase kRealCases[] = {
    {"TwoDecimals", "(F7.2)", {1.5f}, "   1.50\r\n"},
    {"Negative", "(F7.2)", {-3.14159f}, "  -3.14\r\n"},
    {"TooWideIsAsterisks", "(F7.2)", {99999.0f}, "*******\r\n"},
    {"JustFits", "(F7.2)", {9999.99f}, "9999.99\r\n"},
    {"LeadingZeroWhenRoom", "(F4.2)", {0.5f}, "0.50\r\n"},
    {"LeadingZeroDroppedWhenTight", "(F3.2)", {0.5f}, ".50\r\n"},
    {"NoRoomEvenWithoutZero", "(F2.2)", {0.5f}, "**\r\n"},
    {"NegativeBelowOne", "(F5.2)", {-0.5f}, "-0.50\r\n"},
    {"NegativeBelowOneTight", "(F4.2)", {-0.5f}, "-.50\r\n"},
    {"NegativeBelowOneNoRoom", "(F3.2)", {-0.5f}, "***\r\n"},
    {"NoDecimals", "(F5.0)", {12.0f}, "  12.\r\n"},
    {"NoDecimalsRoundsHalfUp", "(F5.0)", {12.5f}, "  13.\r\n"},
    {"NoDecimalsOddHalf", "(F5.0)", {11.5f}, "  12.\r\n"},
    {"NoDecimalsBelowOne", "(F2.0)", {0.3f}, "0.\r\n"},
    {"NoDecimalsCarryTooWide", "(F2.0)", {9.5f}, "**\r\n"},
    {"NoDecimalsCarry", "(F3.0)", {9.5f}, "10.\r\n"},
    {"NegativeRoundingToZeroHasNoSign", "(F5.2)", {-0.001f}, " 0.00\r\n"},
    {"NegativeZero", "(F5.2)", {-0.0f}, " 0.00\r\n"},
    {"NegativeRoundingToZeroNoDecimals", "(F3.0)", {-0.4f}, " 0.\r\n"},
    {"ExactHalfAwayFromZero", "(F4.2)", {0.625f}, "0.63\r\n"},
    {"ExactHalfNegative", "(F5.2)", {-0.625f}, "-0.63\r\n"},
    {"ExactHalfEvenNeighbour", "(F6.4)", {0.03125f}, "0.0313\r\n"},
    {"ExactHalfThreeDecimals", "(F5.2)", {0.125f}, " 0.13\r\n"},
    {"FloatJustBelowHalf", "(F5.2)", {2.675f}, " 2.67\r\n"},
    {"DoubleJustBelowHalf", "(F5.2)", {1.005}, " 1.00\r\n"},
    {"FloatWidenedExactly", "(F12.8)", {0.1f}, "  0.10000000\r\n"},
    {"CarryIntoNewDigit", "(F5.2)", {9.999}, "10.00\r\n"},
    {"CarryMakesItTooWide", "(F4.2)", {9.999}, "****\r\n"},
    {"FourDecimals", "(F7.4)", {0.1f}, " 0.1000\r\n"},
    {"WideField", "(F15.2)", {0.24242f}, "           0.24\r\n"},
    {"HugeValue", "(F8.2)", {1e30f}, "********\r\n"},
    {"Double", "(F10.2)", {1.19}, "      1.19\r\n"},
    {"NarrowestField", "(F0.2,'|')", {3.14159}, "3.14|\r\n"},
    {"Infinity", "(F9.2)", {kInf}, " Infinity\r\n"},
    {"InfinityShort", "(F5.2)", {kInf}, "  Inf\r\n"},
    {"InfinityNoRoom", "(F2.1)", {kInf}, "**\r\n"},
    {"NegativeInfinity", "(F6.1)", {-kInf}, "  -Inf\r\n"},
    {"NaN", "(F5.2)", {std::nanf("")}, "  NaN\r\n"},
    {"RepeatedReals", "(2F5.2)", {0.0f, 1.0f}, " 0.00 1.00\r\n"},
};

const DescriptorCase kCharacterCases[] = {
    {"OwnLength", "(A,'|')", {S("abc")}, "abc|\r\n"},
    {"EmptyText", "('|',A,'|')", {S("")}, "||\r\n"},
    {"ShorterIsRightAligned", "(A5,'|')", {S("abc")}, "  abc|\r\n"},
    {"LongerKeepsFirstCharacters", "(A2,'|')", {S("abc")}, "ab|\r\n"},
    {"ExactWidth", "(A3,'|')", {S("abc")}, "abc|\r\n"},
    {"PaddedNameStaysPadded", "(A11,'|')", {S("1-OR-1     ")}, "1-OR-1     |\r\n"},
    {"OneBlankColumn", "(I4,7X,A,'|')", {1, S(" ")}, "   1        |\r\n"},
};

const DescriptorCase kSkipCases[] = {
    {"LeadingBlanks", "(5X,'a')", {}, "     a\r\n"},
    {"BareX", "(X,'a')", {}, " a\r\n"},
    {"OneXAtStart", "(1X,I3)", {5}, "   5\r\n"},
    {"TrailingSkipNotWritten", "('a',5X)", {}, "a\r\n"},
    {"SkipBeforeMissingValueNotWritten", "(I2,5X,I2)", {1}, " 1\r\n"},
    {"SkipsAdd", "('a',2X,3X,'b')", {}, "a     b\r\n"},
};

const DescriptorCase kGroupCases[] = {
    {"RepeatedGroup", "(2(I2,'x'))", {1, 2}, " 1x 2x\r\n"},
    {"NestedGroups", "(2(1X,2(I1)))", {1, 2, 3, 4}, " 12 34\r\n"},
    {"GroupOfTextOnly", "(I1,2('ab'),I1)", {1, 2}, "1abab2\r\n"},
    {"ValuesRunOutInsideGroup", "(2(' x',I1))", {7}, " x7 x\r\n"},
    {"ValuesRunOutBeforeText", "('a',I2,'b',I2,'c')", {1}, "a 1b\r\n"},
    {"NoValuesWritesLeadingText", "('a',I2,'b')", {}, "a\r\n"},
    {"AllValues", "('a',I2,'b',I2,'c')", {1, 2}, "a 1b 2c\r\n"},
    {"TextAfterLastValue",
     "('Delay analysis period (inclusive): ',I5,' sec to',I5,' sec')", {0, 300},
     "Delay analysis period (inclusive):     0 sec to  300 sec\r\n"},
};

const DescriptorCase kRecordCases[] = {
    {"ReuseWholeList", "(I2,'|')", {1, 2}, " 1|\r\n 2|\r\n"},
    {"ReuseFromLastGroupWithCount", "('h',2(I2))", {1, 2, 3, 4, 5}, "h 1 2\r\n 3 4\r\n 5\r\n"},
    {"ReuseFromOuterGroupNotInner", "(I1,2(I1,(I1)),'e')", {1, 2, 3, 4, 5, 6, 7, 8},
     "12345e\r\n678\r\n"},
    {"ReuseThreeTimes", "(2I2)", {1, 2, 3, 4, 5, 6}, " 1 2\r\n 3 4\r\n 5 6\r\n"},
    {"Slash", "(I1/I1)", {1, 2}, "1\r\n2\r\n"},
    {"SlashAtEnd", "('a'/)", {}, "a\r\n\r\n"},
    {"SlashesWithCommas", "('a',/,/,'b')", {}, "a\r\n\r\nb\r\n"},
    {"ColonStopsWhenDone", "(I1,:,' more')", {1}, "1\r\n"},
    {"ColonGoesOnWithValues", "(I1,:,' more')", {1, 2}, "1 more\r\n2\r\n"},
    {"BackslashKeepsOpen", "('a',\\)", {}, "a"},
    {"DoubledBackslashIsOne", "('a',\\\\)", {}, "a"},
    {"DollarKeepsOpen", "('a'$)", {}, "a"},
    {"BackslashNotReachedEndsRecord", "('a',I3,\\)", {}, "a\r\n"},
    {"BackslashWithReuse", "(I1,\\)", {1, 2}, "1\r\n2"},
    {"HeadingPiece", "(2X,'Cell',I3,\\\\)", {7}, "  Cell  7"},
};
// clang-format on

std::string CaseName(const ::testing::TestParamInfo<DescriptorCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Text, DescriptorTest, ::testing::ValuesIn(kTextCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Integer, DescriptorTest, ::testing::ValuesIn(kIntegerCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Real, DescriptorTest, ::testing::ValuesIn(kRealCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Characters, DescriptorTest, ::testing::ValuesIn(kCharacterCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Skip, DescriptorTest, ::testing::ValuesIn(kSkipCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Group, DescriptorTest, ::testing::ValuesIn(kGroupCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Record, DescriptorTest, ::testing::ValuesIn(kRecordCases), CaseName);

}  // namespace
}  // namespace talvo
