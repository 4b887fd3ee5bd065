// Reading values statement by statement: across lines, separators, leftovers, line ends,
// text widths, and the exact messages for malformed values.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "EngineError.h"
#include "input/TokenReader.h"

namespace talvo {
namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EngineError& error) {
        return error.what();
    }
    return "no error";
}

TEST(TokenReader, StatementTakesValuesAcrossLines) {
    std::istringstream text("1\n2\n\n3 4\n5\n");
    TokenReader in(text, "f");
    in.beginStatement();
    EXPECT_EQ(in.readInt("a"), 1);
    EXPECT_EQ(in.readInt("b"), 2);
    EXPECT_EQ(in.readInt("c"), 3);
    EXPECT_EQ(in.lineNumber(), 4);
    in.beginStatement();  // 4 is left over on line 4 and skipped
    EXPECT_EQ(in.readInt("d"), 5);
    EXPECT_EQ(in.lineNumber(), 5);
}

TEST(TokenReader, LeftoversOfTheLastLineAreIgnored) {
    std::istringstream text("7 8 9 junk\n10\n");
    TokenReader in(text, "f");
    in.beginStatement();
    EXPECT_EQ(in.readInt("a"), 7);
    in.beginStatement();
    EXPECT_EQ(in.readInt("b"), 10);
}

TEST(TokenReader, BlanksTabsAndCommasSeparate) {
    std::istringstream text(" 1,2\t3 ,\t 4,,5\r\n");
    TokenReader in(text, "f");
    in.beginStatement();
    for (int expected = 1; expected <= 5; ++expected) {
        EXPECT_EQ(in.readInt("v"), expected);
    }
}

TEST(TokenReader, CrLfAndLfLineEndsReadTheSame) {
    for (const char* text : {"Y\r\nabc\r\n2.5\r\n", "Y\nabc\n2.5\n", "Y\nabc\r\n2.5"}) {
        std::istringstream stream(text);
        TokenReader in(stream, "f");
        in.beginStatement();
        EXPECT_EQ(in.readText("flag", 1), "Y");
        in.beginStatement();
        EXPECT_EQ(in.readText("name", 5), "abc  ");
        in.beginStatement();
        EXPECT_FLOAT_EQ(in.readReal("r"), 2.5f);
    }
}

TEST(TokenReader, TextIsCutOrPaddedToItsWidth) {
    std::istringstream text("1-TR-123456789 0 YES\n");
    TokenReader in(text, "f");
    in.beginStatement();
    EXPECT_EQ(in.readText("name", 11), "1-TR-123456");
    EXPECT_EQ(in.readText("name", 11), "0          ");
    EXPECT_EQ(in.readText("flag", 1), "Y");
}

TEST(TokenReader, RealsWithAndWithoutPointAndExponent) {
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {{"3", 3.0f},       {"3.", 3.0f},      {".5", 0.5f},
                          {"-0.25", -0.25f}, {"+1.5", 1.5f},    {"1e3", 1000.0f},
                          {"2.5E-1", 0.25f}, {"1.5d2", 150.0f}, {"0.1", 0.1f}};
    for (const Case& c : cases) {
        std::istringstream text(c.text);
        TokenReader in(text, "f");
        in.beginStatement();
        EXPECT_EQ(in.readReal("r"), c.value) << c.text;
    }
}

TEST(TokenReader, IntegersWithSign) {
    std::istringstream text("-12 +7 0 2147483647 -2147483648\n");
    TokenReader in(text, "f");
    in.beginStatement();
    EXPECT_EQ(in.readInt("a"), -12);
    EXPECT_EQ(in.readInt("a"), 7);
    EXPECT_EQ(in.readInt("a"), 0);
    EXPECT_EQ(in.readInt("a"), 2147483647);
    EXPECT_EQ(in.readInt("a"), -2147483647 - 1);
}

struct Malformed {
    const char* text;
    char kind;  // 'i' integer, 'r' real, 'b' bounded integer 1..200
    const char* message;
};

void PrintTo(const Malformed& c, std::ostream* os) {
    *os << Quoted(c.text);
}

class MalformedValue : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedValue, IsRejectedWithFileLineValueAndExpectation) {
    const Malformed& c = GetParam();
    std::istringstream text(c.text);
    TokenReader in(text, "input.fin");
    in.beginStatement();
    const std::string message = ErrorOf([&] {
        if (c.kind == 'i') {
            in.readInt("numCells");
        } else if (c.kind == 'r') {
            in.readReal("wvRatio");
        } else {
            in.readInt("numCells", 1, 200);
        }
    });
    EXPECT_EQ(message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    TokenReader, MalformedValue,
    ::testing::Values(
        Malformed{"abc\n", 'i',
                  "Error in input.fin, line 1: expected an integer for numCells, found \"abc\""},
        Malformed{"\n\n12.5\n", 'i',
                  "Error in input.fin, line 3: expected an integer for numCells, found \"12.5\""},
        Malformed{
            "2147483648\n", 'i',
            "Error in input.fin, line 1: expected an integer for numCells, found \"2147483648\""},
        Malformed{"-\n", 'i',
                  "Error in input.fin, line 1: expected an integer for numCells, found \"-\""},
        Malformed{
            "1-TR-2\n", 'r',
            "Error in input.fin, line 1: expected a real number for wvRatio, found \"1-TR-2\""},
        Malformed{"nan\n", 'r',
                  "Error in input.fin, line 1: expected a real number for wvRatio, found \"nan\""},
        Malformed{"1e99\n", 'r',
                  "Error in input.fin, line 1: found \"1e99\" for wvRatio, a number beyond the "
                  "range of a 32-bit real (about 3.4E+38 at most)"},
        Malformed{"-1e-50\n", 'r',
                  "Error in input.fin, line 1: found \"-1e-50\" for wvRatio, a number too close "
                  "to 0 for a 32-bit real (write 0 for zero)"},
        Malformed{
            "0.5.1\n", 'r',
            "Error in input.fin, line 1: expected a real number for wvRatio, found \"0.5.1\""},
        Malformed{"", 'i',
                  "Error in input.fin, line 1: expected numCells, found the end of the file"},
        Malformed{"\n\n", 'r',
                  "Error in input.fin, line 2: expected wvRatio, found the end of the file"},
        Malformed{"201\n", 'b', "Error in input.fin, line 1: numCells is 201, expected 1 to 200"},
        Malformed{"0\n", 'b', "Error in input.fin, line 1: numCells is 0, expected 1 to 200"}));

TEST(TokenReader, EndOfFileInsideAStatementNamesTheLastLine) {
    std::istringstream text("1 2\n3\n");
    TokenReader in(text, "plan.tpl");
    in.beginStatement();
    in.readInt("a");
    in.readInt("b");
    in.readInt("c");
    EXPECT_EQ(ErrorOf([&] { in.readInt("the fourth value"); }),
              "Error in plan.tpl, line 2: expected the fourth value, found the end of the file");
}

}  // namespace
}  // namespace talvo
