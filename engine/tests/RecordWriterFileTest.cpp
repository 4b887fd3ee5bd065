// Whole sections and files written through one RecordWriter, compared with the reference
// corridor run (copied under data/format/corridor), and the free-format records.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "format/RecordWriter.h"

namespace talvo {
namespace {

std::string DataFile(const std::string& name) {
    const std::string path = std::string(TALVO_SOURCE_DIR) + "/engine/tests/data/format/" + name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of a CR LF file, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The part of `text` from the line beginning with `first` up to the line beginning with
// `stop` (not included).
std::string Section(const std::string& text, const std::string& first, const std::string& stop) {
    const size_t begin = text.find("\r\n" + first);
    const size_t end = text.find("\r\n" + stop, begin + 2);
    EXPECT_NE(begin, std::string::npos) << first;
    EXPECT_NE(end, std::string::npos) << stop;
    return text.substr(begin + 2, end - begin);
}

FormatValues CellPlaces(std::initializer_list<int32_t> cells) {
    FormatValues places(50, FormatValue(int32_t{0}));
    size_t m = 0;
    for (const int32_t cell : cells) {
        places[m++] = cell;
    }
    return places;
}

TEST(RecordWriterFileTest, ApproachSectionMatchesReference) {
    std::ostringstream out;
    RecordWriter writer(out);
    writer.write("('********* A P P R O A C H   I N F O R M A T I O N  *********')");
    writer.write("(' ')");
    writer.write("('Number of Defined Approaches:',I5)", {2});
    writer.write("('Max number of cells in one approach:',I5)", {50});
    writer.write("(' ')");
    writer.write("('Approach',2X,'Weight',2X,'Plot?',\\\\)");
    for (int32_t m = 1; m <= 50; ++m) {
        writer.write("(2X,'Cell',I3,\\\\)", {m});
    }
    writer.write("(' ')");
    const std::vector<std::pair<float, FormatValues>> approaches = {
        {1.0f, CellPlaces({1, 2, 3, 4, 5})}, {1.0f, CellPlaces({8, 9, 10})}};
    for (size_t a = 0; a < approaches.size(); ++a) {
        FormatValues row = {static_cast<int32_t>(a + 1), approaches[a].first, std::string(" ")};
        row.insert(row.end(), approaches[a].second.begin(), approaches[a].second.end());
        writer.write("(I4,7X,F4.2,7X,A,27(4X,I4))", row);
    }
    const std::vector<FormatValues> groups = {CellPlaces({1, 2, 3, 4, 5, 6, 7}),
                                              CellPlaces({8, 9, 10, 11, 12})};
    for (size_t g = 0; g < groups.size(); ++g) {
        FormatValues row = {static_cast<int32_t>(g + 1)};
        row.insert(row.end(), groups[g].begin(), groups[g].end());
        writer.write("(I4,7X,27(4X,I4))", row);
    }
    writer.write("(' ')");
    const std::string reference = DataFile("corridor/output_exist.out");
    EXPECT_EQ(out.str(), Section(reference, "********* A P P R O A C H", "OPTIMIZED"));
}

TEST(RecordWriterFileTest, ApproachOfFiftyCellsTakesTwoLines) {
    FormatValues row = {int32_t{1}};
    const FormatValues places = CellPlaces({});
    row.insert(row.end(), places.begin(), places.end());
    const std::string text = FormatRecord("(I4,7X,27(4X,I4))", row);
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 11u + 27u * 8u);
    EXPECT_EQ(lines[1].size(), 23u * 8u);  // no blanks after the last cell
}

TEST(RecordWriterFileTest, PlanSettingMatchesReference) {
    std::ostringstream out;
    RecordWriter writer(out);
    writer.write("('OPTIMIZED TIMING PLAN SETTING:')");
    writer.write("(' ')");
    writer.writeText("Network Cycle Time (sec):", {55});
    writer.write("(' ')");
    writer.writeText("========================");
    writer.writeText("Intersection:", {1});
    writer.writeText("========================");
    writer.write("(' ')");
    writer.writeText("Offset (sec):", {5});
    writer.write("(' ')");
    writer.writeText("        Stage    Duration (sec)");
    writer.writeText("        -----    --------------");
    writer.writeListDirected({1, 30});
    writer.writeListDirected({2, 25});
    writer.writeListDirected();
    writer.write("(' ')");
    writer.write("(' ')");
    writer.write("(' ')");
    const std::string reference = DataFile("corridor/output_exist.out");
    EXPECT_EQ(out.str(), Section(reference, "OPTIMIZED", "DELAY BY APPROACH:"));
}

TEST(RecordWriterFileTest, PlotFileMatchesReference) {
    const std::string reference = DataFile("corridor/ctmplot_1.plt");
    const auto lines = Lines(reference);
    ASSERT_GT(lines.size(), 3u);
    std::ostringstream out;
    RecordWriter writer(out);
    const size_t valueLines = lines.size() - 2;
    for (size_t i = 0; i < valueLines; ++i) {
        FormatValues values;
        for (size_t column = 0; column + 7 <= lines[i].size(); column += 7) {
            values.emplace_back(std::in_place_type<float>, std::stof(lines[i].substr(column, 7)));
        }
        writer.write(i + 1 < valueLines ? "(51F7.2)" : "(50F7.2)", values);
    }
    writer.writeListDirected();
    writer.writeListDirected();
    EXPECT_EQ(out.str(), reference);
}

TEST(RecordWriterFileTest, OccupancyFileMatchesReference) {
    const std::string reference = DataFile("corridor/occu_exist.occ");
    const auto lines = Lines(reference);
    ASSERT_GT(lines.size(), 4u);
    std::ostringstream out;
    RecordWriter writer(out);
    writer.write("(' ')");
    writer.write("(' ')");
    writer.write("('******** O C C U P A N C Y   A R R A Y *******')");
    writer.write("('Time Step',2X,'Cell No.',2X,'Vehicles')");
    const CompiledFormat row("(I5,5X,I5,5X,F10.2)");
    for (size_t i = 4; i < lines.size(); ++i) {
        std::istringstream fields(lines[i]);
        int32_t time = 0;
        int32_t cell = 0;
        float vehicles = 0;
        fields >> time >> cell >> vehicles;
        writer.write(row, {time, cell, vehicles});
    }
    EXPECT_EQ(out.str(), reference);
}

TEST(RecordWriterFileTest, PlanFileMatchesReference) {
    const std::string reference = DataFile("corridor/opt_exist_plan.tpl");
    std::ostringstream out;
    RecordWriter writer(out);
    for (const auto& line : Lines(reference)) {
        std::istringstream fields(line);
        int32_t first = 0;
        int32_t second = 0;
        fields >> first;
        if (fields >> second) {
            writer.write("(I3,3X,I6)", {first, second});
        } else {
            writer.write("(I5)", {first});
        }
    }
    EXPECT_EQ(out.str(), reference);
}

struct ListDirectedCase {
    const char* name;
    FormatValues values;
    std::string expected;
};

class ListDirectedTest : public ::testing::TestWithParam<ListDirectedCase> {};

TEST_P(ListDirectedTest, WritesCompactItems) {
    const auto& c = GetParam();
    std::ostringstream out;
    RecordWriter writer(out);
    writer.writeListDirected(c.values);
    EXPECT_EQ(out.str(), c.expected + "\r\n");
    EXPECT_EQ(ListDirectedText(c.values), c.expected);
}

// clang-format off
const ListDirectedCase kListDirected[] = {
    {"Empty", {}, ""},
    {"StageRow", {1, 30}, " 1 30"},
    {"NegativeInteger", {-3}, " -3"},
    {"HalfReal", {0.5f}, " 0.5"},
    {"WholeReal", {100.0f}, " 100.0"},
    {"ZeroReal", {0.0f}, " 0.0"},
    {"NegativeZeroReal", {-0.0f}, " 0.0"},
    {"ConsoleRow", {1, 29802.762f, 9376.73f, 9376.73f}, " 1 29802.762 9376.73 9376.73"},
    {"ElapsedFloat", {0.045113087f}, " 0.045113087"},
    {"DoubleShortest", {0.1}, " 0.1"},
    {"TinyUsesExponent", {1e-7f}, " 1.0E-07"},
    {"HugeUsesExponent", {1.5e20f}, " 1.5E+20"},
    {"NegativeReal", {-2.25f}, " -2.25"},
    {"NotANumber", {std::nanf("")}, " NaN"},
    {"TextAndNumber", {std::string("Simulation end time step"), 300},
     " Simulation end time step 300"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Items, ListDirectedTest, ::testing::ValuesIn(kListDirected),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordWriterTextTest, TextThenValues) {
    std::ostringstream out;
    RecordWriter writer(out);
    writer.writeText("Min Total Weighted Delay: ", {7546.233f});
    writer.writeText(
        "*** G A   O P T I M I Z A T I O N   R E S U L T S ---  F G F C   P L A N S ****");
    EXPECT_EQ(
        out.str(),
        " Min Total Weighted Delay:  7546.233\r\n"
        " *** G A   O P T I M I Z A T I O N   R E S U L T S ---  F G F C   P L A N S ****\r\n");
}

TEST(RecordWriterStateTest, OpenRecordContinuesAndEnds) {
    std::ostringstream out;
    RecordWriter writer(out);
    EXPECT_FALSE(writer.recordOpen());
    writer.endRecord();  // nothing open: nothing written
    EXPECT_EQ(out.str(), "");
    writer.write("('a',2X,\\)");
    EXPECT_TRUE(writer.recordOpen());
    EXPECT_EQ(out.str(), "a");
    writer.write("('b',3X,\\)");
    writer.endRecord();
    EXPECT_FALSE(writer.recordOpen());
    // Blanks of 3X that nothing followed are not written.
    EXPECT_EQ(out.str(), "a  b\r\n");
    writer.write("(I2,\\)", {7});
    writer.writeListDirected({8});
    writer.write("(I2,\\)", {7});
    writer.writeText("t");
    EXPECT_EQ(out.str(), "a  b\r\n 7 8\r\n 7 t\r\n");
}

TEST(RecordWriterStateTest, ListsAreParsedOnceAndShared) {
    const auto first = CompileFormatCached("(I5,5X,I5,5X,F10.2)");
    const auto second = CompileFormatCached(std::string("(I5,5X,I5,5X,F10.2)"));
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->text(), "(I5,5X,I5,5X,F10.2)");
    EXPECT_TRUE(first->takesValues());
    EXPECT_FALSE(CompileFormatCached("(' ')")->takesValues());
}

TEST(RecordWriterStateTest, SameResultFromTextAndCompiledList) {
    std::ostringstream byText;
    std::ostringstream byList;
    RecordWriter textWriter(byText);
    RecordWriter listWriter(byList);
    const CompiledFormat list("(I4,7X,F4.2,7X,A,27(4X,I4))");
    for (int32_t a = 1; a <= 3; ++a) {
        FormatValues row = {a, 0.25f * a, std::string(" ")};
        const FormatValues places = CellPlaces({a, a + 1});
        row.insert(row.end(), places.begin(), places.end());
        textWriter.write("(I4,7X,F4.2,7X,A,27(4X,I4))", row);
        listWriter.write(list, row);
    }
    EXPECT_EQ(byText.str(), byList.str());
    EXPECT_EQ(Lines(byText.str()).size(), 6u);
}

TEST(RecordWriterStateTest, ManyDifferentListsStayCorrect) {
    // More lists than the caches keep: each still writes its own layout.
    std::ostringstream out;
    RecordWriter writer(out);
    std::string expected;
    for (int32_t width = 1; width <= 600; ++width) {
        const std::string format =
            "(I" + std::to_string(width % 40 + 1) + ",'|" + std::to_string(width) + "')";
        writer.write(format, {width % 10});
        expected += std::string(static_cast<size_t>(width % 40), ' ') + std::to_string(width % 10) +
                    "|" + std::to_string(width) + "\r\n";
    }
    EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace talvo
