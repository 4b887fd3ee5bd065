#include "common/ProjectReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace talvo {
namespace {

std::string DataPath(const std::string& name) {
    return std::string(TALVO_COMMON_TEST_DATA) + "/" + name;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A File New network as saved: two parameter lines, counts and the cell scale.
std::string NewProjectText() {
    std::string text =
        "0.25,#FALSE#,125,1800,1,1000,0,1000,20,#FALSE#,60\r\n"
        "120,15,4,100,10,5,0.5,5,#FALSE#,1,1\r\n"
        "0,0\r\n";
    for (int k = 1; k <= 100; ++k) {
        text += (k == 1 ? "0" : ",0");
    }
    text += "\r\n0,0\r\n0\r\n0\r\n0\r\n0\r\n1.5,100\r\n";
    return text;
}

void ExpectNewState(const Project& project) {
    EXPECT_TRUE(project.tables.cells.empty());
    EXPECT_TRUE(project.tables.links.empty());
    EXPECT_TRUE(project.tables.nodes.empty());
    EXPECT_TRUE(project.tables.streets.empty());
    EXPECT_TRUE(project.tables.delayGroups.empty());
    EXPECT_TRUE(project.tables.plotGroups.empty());
    EXPECT_EQ(project.tables.lastCellID, 0);
    EXPECT_EQ(project.tables.lastLinkID, 0);
    EXPECT_EQ(project.params.jamDensity, 125);
    EXPECT_EQ(project.params.endStep, 1000);
    EXPECT_DOUBLE_EQ(project.params.wvRatio, 0.25);
}

TEST(ProjectReader, ReadsCorridorProject) {
    const ProjectReadResult result = ReadProject(DataPath("corridor.tin"), ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    const Project& p = result.project;
    EXPECT_DOUBLE_EQ(p.params.wvRatio, 0.25);
    EXPECT_EQ(p.params.phaseCycle, 20);
    EXPECT_EQ(p.params.networkCycleTime, 60);
    EXPECT_EQ(p.params.maxCycleTime, 120);
    EXPECT_DOUBLE_EQ(p.params.mutationRate, 0.5);
    EXPECT_EQ(p.params.controlStrategy, 1);
    EXPECT_DOUBLE_EQ(p.params.volMultiplier, 1.0);

    const NetworkTables& t = p.tables;
    ASSERT_EQ(t.cells.size(), 13u);
    EXPECT_EQ(t.lastCellID, 15);
    EXPECT_EQ(t.cells[0].cellID, 1);
    EXPECT_DOUBLE_EQ(t.cells[0].x, 600);
    EXPECT_EQ(t.cells[0].laneNum, 2);
    EXPECT_DOUBLE_EQ(t.cells[0].speed, 50);
    ASSERT_EQ(t.cells[0].orIntervalNum(), 1);
    EXPECT_EQ(t.cells[0].intervals[0].orVehPerHr, 900);
    EXPECT_EQ(t.cells[0].intervals[0].orEnd, 900);
    EXPECT_EQ(t.cells[2].signalID, 1);
    EXPECT_DOUBLE_EQ(t.cells[8].capacityFactor, 0.9);
    EXPECT_EQ(t.cells[8].orientation, kVertical);
    EXPECT_EQ(t.signalOwner[1], 3);
    EXPECT_EQ(t.signalOwner[4], 14);
    EXPECT_EQ(t.signalOwner[5], 0);

    ASSERT_EQ(t.links.size(), 10u);
    EXPECT_EQ(t.lastLinkID, 10);
    EXPECT_EQ(t.links[2].fromCell, 3);
    EXPECT_EQ(t.links[2].toCell, 4);
    EXPECT_EQ(t.links[2].passNode, 9);

    ASSERT_EQ(t.nodes.size(), 2u);
    EXPECT_EQ(t.nodes[0].nodeID, 8);
    EXPECT_EQ(t.nodes[0].stageNum, 2);
    EXPECT_EQ(t.nodes[0].offset, 10);
    EXPECT_EQ(t.nodes[0].stages[0].stageTime, 40);
    EXPECT_EQ(t.nodes[0].stages[0].stageMoves, std::vector<int>{3});
    EXPECT_EQ(t.nodes[0].stages[1].stageMoves, std::vector<int>{4});
    EXPECT_EQ(t.nodes[0].stages[2].stageTime, 10);  // unused stages keep their defaults

    ASSERT_EQ(t.streets.size(), 3u);
    EXPECT_EQ(t.streets[1].streetName, "North Ave");
    EXPECT_EQ(t.streets[1].cellIDs, (std::vector<int>{10, 11, 12}));

    ASSERT_EQ(t.delayGroups.size(), 3u);
    EXPECT_EQ(t.delayGroups[0].cellIDs.size(), 7u);
    ASSERT_EQ(t.plotGroups.size(), 1u);
    EXPECT_TRUE(t.plotGroups[0].occupancyPlot);
    EXPECT_EQ(t.plotGroups[0].startStep, 0);
    EXPECT_EQ(t.plotGroups[0].endStep, 600);
    EXPECT_EQ(t.plotGroups[0].cellIDs.size(), 7u);
    EXPECT_DOUBLE_EQ(p.params.cellScaleX, 1.5);
    EXPECT_DOUBLE_EQ(p.params.cellScaleY, 100);
}

TEST(ProjectReader, ReadsIntervalsOwnOccupancyAndRealSpeeds) {
    const ProjectReadResult result =
        ReadProject(DataPath("two_intervals.tin"), ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    const NetworkTables& t = result.project.tables;
    ASSERT_EQ(t.cells[0].orIntervalNum(), 2);
    EXPECT_EQ(t.cells[0].intervals[1].orVehPerHr, 1800);
    EXPECT_EQ(t.cells[0].intervals[1].orStart, 601);
    EXPECT_TRUE(t.cells[2].ownOccupancy);
    EXPECT_EQ(t.cells[2].initialCarNum, 25);
    EXPECT_DOUBLE_EQ(t.cells[3].speed, 42.5);
    EXPECT_DOUBLE_EQ(t.cells[3].capacityFactor, 0.85);
    EXPECT_EQ(t.cells[7].orIntervalNum(), 3);
    EXPECT_TRUE(t.plotGroups.empty());
    EXPECT_EQ(t.delayGroups.size(), 2u);
}

TEST(ProjectReader, ReadsFileNewProject) {
    const ProjectReadResult result =
        ReadProjectText(NewProjectText(), "new.tin", ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    ExpectNewState(result.project);
}

TEST(ProjectReader, KeepsOccupancyOfTheCaller) {
    GlobalParameters keep;
    keep.initialCellOccupancy = 30;
    const ProjectReadResult good =
        ReadProjectText(NewProjectText(), "new.tin", ProjectLayout::Current, keep);
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(good.project.params.initialCellOccupancy, 30);

    keep.cellScaleX = 3;
    const ProjectReadResult bad = ReadProjectText("x", "bad.tin", ProjectLayout::Current, keep);
    ASSERT_FALSE(bad.ok);
    EXPECT_EQ(bad.project.params.initialCellOccupancy, 30);
    EXPECT_DOUBLE_EQ(bad.project.params.cellScaleX, 3);
}

// The legacy layout: three unused fields after each delay group's count, no plot groups.
std::string LegacyCorridorText() {
    std::string text = ReadText(DataPath("corridor.tin"));
    const std::string current =
        "3\r\n7,1,2,3,4,5,6,7,3,10,11,12,3,13,14,15,1\r\n"
        "7,#TRUE#,0,600,1,2,3,4,5,6,7,1.5,100\r\n";
    const std::string legacy =
        "3\r\n7,0,0,0,1,2,3,4,5,6,7,3,0,0,0,10,11,12,3,1,2,3,13,14,15,2.5,80\r\n";
    const auto at = text.find(current);
    EXPECT_NE(at, std::string::npos);
    text.replace(at, current.size(), legacy);
    return text;
}

TEST(ProjectReader, ReadsLegacyLayout) {
    const ProjectReadResult result =
        ReadProjectText(LegacyCorridorText(), "old.tin", ProjectLayout::Legacy);
    ASSERT_TRUE(result.ok) << result.detail;
    const NetworkTables& t = result.project.tables;
    ASSERT_EQ(t.delayGroups.size(), 3u);
    EXPECT_EQ(t.delayGroups[1].cellIDs, (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(t.delayGroups[2].cellIDs, (std::vector<int>{13, 14, 15}));
    EXPECT_TRUE(t.plotGroups.empty());
    EXPECT_DOUBLE_EQ(result.project.params.cellScaleX, 2.5);
    EXPECT_DOUBLE_EQ(result.project.params.cellScaleY, 80);
    EXPECT_EQ(t.cells.size(), 13u);
}

TEST(ProjectReader, LegacyFileWithoutDelayGroupsFailsInCurrentLayout) {
    // Without delay groups the plot group count takes the first scale value, and the
    // fields run out before the scale is read.
    std::string text = NewProjectText();
    text.replace(text.find("0\r\n0\r\n1.5,100"), 14, "0\r\n1.5,100\r\n");
    EXPECT_TRUE(ReadProjectText(text, "old.tin", ProjectLayout::Legacy).ok);
    const ProjectReadResult result = ReadProjectText(text, "old.tin", ProjectLayout::Current);
    EXPECT_FALSE(result.ok);
    ExpectNewState(result.project);
}

TEST(ProjectReader, MissingFileFails) {
    const ProjectReadResult result = ReadProject(DataPath("no-such.tin"), ProjectLayout::Current);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.detail.find("no-such.tin"), std::string::npos);
    ExpectNewState(result.project);
}

TEST(ProjectReader, EveryTruncationFailsAndLeavesNewState) {
    const std::string text = ReadText(DataPath("corridor.tin"));
    // Cut after every comma and line end before the last field: the read must run out.
    const std::size_t lastComma = text.rfind(',');
    int cuts = 0;
    for (std::size_t i = 0; i < lastComma; ++i) {
        if (text[i] != ',' && text[i] != '\n') {
            continue;
        }
        const ProjectReadResult result =
            ReadProjectText(text.substr(0, i + 1), "cut.tin", ProjectLayout::Current);
        ASSERT_FALSE(result.ok) << "cut at " << i;
        ExpectNewState(result.project);
        ++cuts;
    }
    EXPECT_GT(cuts, 300);
}

struct BadField {
    const char* name;
    const char* from;  // text to replace in corridor.tin (first occurrence)
    std::string to;
    const char* detailPart;
};

void PrintTo(const BadField& bad, std::ostream* out) {
    *out << bad.name;
}

class ProjectReaderBadField : public ::testing::TestWithParam<BadField> {};

TEST_P(ProjectReaderBadField, FailsNamingLineAndValue) {
    std::string text = ReadText(DataPath("corridor.tin"));
    const BadField& bad = GetParam();
    const auto at = text.find(bad.from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, std::string(bad.from).size(), bad.to);
    const ProjectReadResult result = ReadProjectText(text, "bad.tin", ProjectLayout::Current);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.detail.find(bad.detailPart), std::string::npos) << result.detail;
    EXPECT_NE(result.detail.find("bad.tin"), std::string::npos);
    ExpectNewState(result.project);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ProjectReaderBadField,
    ::testing::Values(
        BadField{"RealNotNumber", "0.25,#FALSE#", "abc,#FALSE#", "line 1: wvRatio"},
        BadField{"BoolNotBool", "0.25,#FALSE#", "0.25,1", "adaptWebster"},
        BadField{"IntWithPoint", "125,1800", "125.5,1800", "jamDensity"},
        BadField{"IntBeyond16Bit", "125,1800", "125,40000", "saturationFlow 40000"},
        BadField{"CellsBeyondCapacity", "13,15\r\n", "1000001,15\r\n", "cellCount 1000001"},
        BadField{"NegativeCount", "13,15\r\n", "-1,15\r\n", "cellCount -1"},
        BadField{"SignalBeyondCapacity", "1,1,1,0,#FALSE#\r\n4,1500",
                 "1,1,1000001,0,#FALSE#\r\n4,1500", "signalID 1000001"},
        BadField{"TimeBeyondEngine", "1800,1,1000,", "1800,1,100001,",
                 "line 1: endSimulationStep 100001 is outside -100000 to 100000"},
        BadField{"TooManyIntervals", "0,1,1,0,1,900,0,900,#FALSE#",
                 "0,1,1,0,10001,900,0,900,#FALSE#", "orIntervalNum 10001"},
        BadField{"LinksBeyondCapacity", "10,10\r\n", "4000001,10\r\n", "linkCount 4000001"},
        BadField{"NodesBeyondCapacity", "\r\n2\r\n8,", "\r\n100001\r\n8,", "nodeCount 100001"},
        BadField{"StagesBeyondCapacity", "8,1650,3000,2,10", "8,1650,3000,1001,10",
                 "stageNum 1001"},
        BadField{"MovesBeyondCapacity", "40,#FALSE#,1\r\n3", "40,#FALSE#,1001\r\n3",
                 "stageMoveNum 1001"},
        BadField{"StreetsBeyondCapacity", "\r\n3\r\n\"Main", "\r\n100001\r\n\"Main",
                 "streetCount 100001"},
        BadField{"StreetCellsBeyondCells", "\"Main St\",600,2750,7", "\"Main St\",600,2750,1000001",
                 "street cellNum 1000001"},
        BadField{"UnclosedName", "\"Main St\"", "\"Main St", "closing quote"},
        BadField{"DelayGroupsBeyondCapacity", "\r\n3\r\n7,1", "\r\n100001\r\n7,1",
                 "delayGroupCount 100001"},
        BadField{"GroupCellsBeyondCapacity", "\r\n3\r\n7,1", "\r\n3\r\n100001,1",
                 "delayGroupCellNum 100001"},
        BadField{"PlotGroupsBeyondCapacity", "13,14,15,1\r\n", "13,14,15,100001\r\n",
                 "plotGroupCount 100001"},
        BadField{"EmptyField", "1,1,2,0,1", "1,,2,0,1", "fromCell"},
        BadField{"ScaleNotNumber", "1.5,100", "1.5,inf", "cellScaleY"},
        // A message box would take minutes to lay out a megabyte: the value is cut.
        BadField{"HugeValueIsCut", "0.25,#FALSE#", "0.25,#FALSE" + std::string(1000000, 'x'),
                 "adaptWebster should be #TRUE# or #FALSE#, found \"#FALSExxxxxxxxxxxxxxxxxxxxxx"
                 "xxxxxxxxxxxx...\" (1000006 characters)"}),
    [](const ::testing::TestParamInfo<BadField>& info) { return info.param.name; });

TEST(ProjectReader, AcceptsBareLineFeedsAndBlankLines) {
    std::string text = ReadText(DataPath("corridor.tin"));
    std::string lineFeedText;
    for (char c : text) {
        if (c != '\r') {
            lineFeedText += c;
        }
    }
    lineFeedText.insert(lineFeedText.find("\n") + 1, "\n  \n");
    const ProjectReadResult result =
        ReadProjectText(lineFeedText, "lf.tin", ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    EXPECT_EQ(result.project.tables.cells.size(), 13u);
}

// Some Windows editors begin a UTF-8 file with a byte-order mark.
TEST(ProjectReader, ByteOrderMarkBeforeTheFirstFieldIsSkipped) {
    const std::string text = "\xEF\xBB\xBF" + ReadText(DataPath("corridor.tin"));
    const ProjectReadResult result = ReadProjectText(text, "bom.tin", ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    EXPECT_DOUBLE_EQ(result.project.params.wvRatio, 0.25);
}

TEST(ProjectReader, StreetNameMayHoldCommas) {
    std::string text = ReadText(DataPath("corridor.tin"));
    text.replace(text.find("\"Main St\""), 9, "\"Main St, North\"");
    const ProjectReadResult result = ReadProjectText(text, "c.tin", ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    EXPECT_EQ(result.project.tables.streets[0].streetName, "Main St, North");
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

// Reals may come without a 0 before the point or in exponent form, as other writers of
// the layout print them.
TEST(ProjectReader, AcceptsRealsWithoutLeadingZeroAndWithExponents) {
    std::string text = NewProjectText();
    text.replace(0, 4, ".3");                              // wvRatio
    text.replace(text.find("0.5,5,#FALSE#"), 3, "5E-01");  // mutationRate
    text.replace(text.find("1.5,100"), 7, "1.5E+00,1E2");  // cell scales
    const ProjectReadResult result = ReadProjectText(text, "other.tin", ProjectLayout::Current);
    ASSERT_TRUE(result.ok) << result.detail;
    EXPECT_DOUBLE_EQ(result.project.params.wvRatio, 0.3);
    EXPECT_DOUBLE_EQ(result.project.params.mutationRate, 0.5);
    EXPECT_DOUBLE_EQ(result.project.params.cellScaleX, 1.5);
    EXPECT_DOUBLE_EQ(result.project.params.cellScaleY, 100);
}

}  // namespace
}  // namespace talvo
