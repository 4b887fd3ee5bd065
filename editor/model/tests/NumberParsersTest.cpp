#include "model/NumberParsers.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/FieldRules.h"

namespace talvo {
namespace {

TEST(NumberParsers, ParseInteger) {
    const struct {
        const char* text;
        int value;
        const char* message;
    } cases[] = {
        {"", 0, ""},
        {"   ", 0, ""},
        {"42", 42, ""},
        {" 17 ", 17, ""},
        {"0", 0, ""},
        {"32767", 32767, ""},
        {"32768", -1, kEnterNumber},
        {"100000", -1, kEnterNumber},
        {"abc", -1, kEnterNumber},
        {"12abc", -1, kEnterNumber},
        {"-1", -1, kEnterPositive},
        {"-0.5", -1, kEnterPositive},
        {"0.5", -1, kNoDecimal},
        {"3.", -1, kNoDecimal},
        {"+8", 8, ""},
        {"1e3", 1000, ""},
        // The order of the checks: conversion (16-bit), then sign, then decimal point.
        {"-32768", -1, kEnterPositive},
        {"-40000", -1, kEnterNumber},
        {"32767.5", -1, kNoDecimal},
        {"40000.5", -1, kEnterNumber},
        {"-2.5", -1, kEnterPositive},
        {"1.2.3", -1, kEnterNumber},
    };
    for (const auto& c : cases) {
        const ParsedInteger parsed = ParseInteger(c.text);
        EXPECT_EQ(parsed.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(parsed.message, c.message) << '"' << c.text << '"';
    }
}

// Times take whole numbers past 16 bits, up to what a project file holds.
TEST(NumberParsers, TimeFieldsTakeTheRunsSeconds) {
    EXPECT_EQ(CheckEntry(rules::kTime, "86400").value, 86400);
    EXPECT_EQ(CheckEntry(rules::kTime, "100000").state, EntryState::Complete);
    EXPECT_EQ(CheckTyping(rules::kTime, "100001").message, kEnterNumber);
    EXPECT_EQ(CheckValue(rules::kTime, 100001).message,
              "You must enter a number between 0 and 100000 in this field.");
    // Other fields stay 16-bit.
    EXPECT_EQ(CheckTyping(NumberRule::Integer(), "40000").message, kEnterNumber);
}

TEST(NumberParsers, ParseReal) {
    const struct {
        const char* text;
        double value;
        const char* message;
    } cases[] = {
        {"", 0.0, ""},
        {".5", 0.5, ""},
        {"0.25", 0.25, ""},
        {" 1.5 ", 1.5, ""},
        {"200", 200.0, ""},
        {"-1", -1.0, kEnterPositive},
        {"1-", -1.0, kEnterPositive},
        {"abc", -1.0, kEnterNumber},
        {"+2", -1.0, kEnterNumber},
        {"1e400", -1.0, kEnterNumber},
        {"2e2", 200.0, ""},
        {"5.", 5.0, ""},
        {"-abc", -1.0, kEnterPositive},
        {"0.5.1", -1.0, kEnterNumber},
    };
    for (const auto& c : cases) {
        const ParsedReal parsed = ParseReal(c.text);
        EXPECT_DOUBLE_EQ(parsed.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(parsed.message, c.message) << '"' << c.text << '"';
    }
}

TEST(NumberParsers, PrompterShowsRefusals) {
    test::RecordingPrompter prompter;
    EXPECT_EQ(ParseInteger("0.5", prompter), -1);
    EXPECT_EQ(ParseInteger("", prompter), 0);
    EXPECT_DOUBLE_EQ(ParseReal("-1", prompter), -1.0);
    ASSERT_EQ(prompter.cautions.size(), 2u);
    EXPECT_EQ(prompter.cautions[0], kNoDecimal);
    EXPECT_EQ(prompter.cautions[1], kEnterPositive);
}

}  // namespace
}  // namespace talvo
