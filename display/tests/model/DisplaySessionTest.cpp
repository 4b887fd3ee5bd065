#include <gtest/gtest.h>

#include "ReaderTestSupport.h"
#include "model/DisplayMessages.h"
#include "model/DisplaySession.h"

namespace talvo::display {
namespace {

using test::DataFile;

class DisplaySessionTest : public ::testing::Test {
  protected:
    test::RecordingPrompter prompter;
    test::ScriptedChooser chooser;
    DisplaySession session{prompter, chooser};

    void answer(std::initializer_list<std::string> names) {
        for (const std::string& name : names) {
            chooser.answers.push_back(name);
        }
    }

    bool openCorridor() {
        answer({DataFile("corridor_run.tin"), DataFile("corridor_occu_exist.occ"),
                DataFile("corridor_plan.tpl")});
        return session.open();
    }

    std::string lastMessage() const {
        return prompter.cautions.empty() ? std::string() : prompter.cautions.back();
    }

    void expectReset() const {
        EXPECT_TRUE(session.model().project.tables.cells.empty());
        EXPECT_TRUE(session.model().project.tables.links.empty());
        EXPECT_TRUE(session.model().project.tables.streets.empty());
        EXPECT_TRUE(session.model().signalRows.empty());
        EXPECT_TRUE(session.model().occupancy.empty());
        EXPECT_EQ(session.model().parameters(), GlobalParameters{});  // the File New state
        EXPECT_TRUE(session.network().cells.empty());
        EXPECT_FALSE(session.changeTimePlanEnabled());
        EXPECT_EQ(session.caption(), "Visual Talvo Display");
    }
};

TEST_F(DisplaySessionTest, OpenAsksForTheThreeFilesWithTheirTitlesAndFilters) {
    ASSERT_TRUE(openCorridor());
    EXPECT_TRUE(prompter.cautions.empty());
    ASSERT_EQ(chooser.requests.size(), 3U);
    EXPECT_EQ(chooser.requests[0].title, "Open Input Data File Dialog");
    EXPECT_EQ(chooser.requests[0].filter, "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt");
    EXPECT_EQ(chooser.requests[1].title, "Open Occupancy Data File Dialog");
    EXPECT_EQ(chooser.requests[1].filter, "Occupancy Input (*.occ)|*.occ|Text File (*.txt)|*.txt");
    EXPECT_EQ(chooser.requests[2].title, "Open Time Plan Data File Dialog");
    EXPECT_EQ(chooser.requests[2].filter, "Time Plan Input (*.tpl)|*.tpl|Text File (*.txt)|*.txt");
    for (const FileDialogRequest& request : chooser.requests) {
        EXPECT_EQ(request.filterIndex, 1);
        EXPECT_EQ(request.initialName, "");
    }
    EXPECT_TRUE(session.changeTimePlanEnabled());
    // The caption names the three files being played.
    EXPECT_EQ(session.caption(), "Visual Talvo Display - " + DataFile("corridor_run.tin") +
                                     ", occupancy " + DataFile("corridor_occu_exist.occ") +
                                     ", plan " + DataFile("corridor_plan.tpl"));
    EXPECT_EQ(session.model().project.tables.cells.size(), 12U);
    EXPECT_EQ(session.network().cells.size(), 12U);
    EXPECT_EQ(session.model().signalStateAt(5, 6), kGreen);
}

// A cancelled dialog stops the open without a word.
TEST_F(DisplaySessionTest, CancelledDialogsStopTheOpenQuietlyAndLeaveThePreviousState) {
    ASSERT_TRUE(openCorridor());
    const std::vector<std::string> cases[] = {
        {""},
        {DataFile("corridor_run.tin"), ""},
        {DataFile("corridor_run.tin"), DataFile("corridor_occu_exist.occ"), ""},
    };
    const size_t messages = prompter.cautions.size();
    for (const auto& answers : cases) {
        chooser.answers.assign(answers.begin(), answers.end());
        EXPECT_FALSE(session.open());
        EXPECT_EQ(prompter.cautions.size(), messages);
        EXPECT_EQ(session.model().project.tables.cells.size(), 12U);
        EXPECT_TRUE(session.changeTimePlanEnabled());
    }
}

TEST_F(DisplaySessionTest, MissingFilesAreReportedInOrderBeforeAnythingIsRead) {
    ASSERT_TRUE(openCorridor());
    const std::string missing = DataFile("no-such-file");
    const std::tuple<std::string, std::string, std::string, const char*> cases[] = {
        {missing, missing, missing, "Talvo file not exists!"},
        {DataFile("corridor_run.tin"), missing, missing, "Occupancy file not exists!"},
        {DataFile("corridor_run.tin"), DataFile("corridor_occu_exist.occ"), missing,
         "Time Plan file not exists!"},
    };
    for (const auto& [project, occupancy, plan, message] : cases) {
        EXPECT_FALSE(session.openFiles(project, occupancy, plan));
        EXPECT_EQ(lastMessage(), message);
        EXPECT_EQ(session.model().project.tables.cells.size(), 12U);
    }
}

TEST_F(DisplaySessionTest, ABadProjectLeavesTheModelReset) {
    ASSERT_TRUE(openCorridor());
    const std::string bad = test::WriteTempFile("bad.tin", "0.25,#FALSE#,125\n");
    EXPECT_FALSE(
        session.openFiles(bad, DataFile("corridor_occu_exist.occ"), DataFile("corridor_plan.tpl")));
    EXPECT_EQ(lastMessage(), "Incorrect map file format!  Check the version!");
    EXPECT_FALSE(prompter.details.back().empty());
    expectReset();
}

TEST_F(DisplaySessionTest, AShortOccupancyFileLeavesTheModelReset) {
    ASSERT_TRUE(openCorridor());
    const std::string text = test::ReadText(DataFile("corridor_occu_exist.occ"));
    const std::string shortFile =
        test::WriteTempFile("short.occ", text.substr(0, text.rfind('\n', text.size() / 2) + 1));
    EXPECT_FALSE(
        session.openFiles(DataFile("corridor_run.tin"), shortFile, DataFile("corridor_plan.tpl")));
    EXPECT_EQ(lastMessage(), "Incorrect occupancy file format!  Check the version!");
    EXPECT_NE(prompter.details.back().find("no value for cell number"), std::string::npos);
    expectReset();
}

TEST_F(DisplaySessionTest, ABadPlanLeavesTheModelReset) {
    const std::string bad = test::WriteTempFile("bad.tpl", "1\n1 300\n");
    EXPECT_FALSE(
        session.openFiles(DataFile("corridor_run.tin"), DataFile("corridor_occu_exist.occ"), bad));
    EXPECT_EQ(lastMessage(),
              "Incorrect Time Plan file format!  Check the version!  No time plan is set!");
    expectReset();
}

TEST_F(DisplaySessionTest, ReopeningARunStopsThePlaybackAndKeepsTheView) {
    ASSERT_TRUE(openCorridor());
    EXPECT_FALSE(session.reopenedSameProject());
    session.playback().start();
    session.tick();
    session.view().zoomBy(scene::Point{100, 100}, 3.0);
    const scene::Point origin = session.view().origin();
    ASSERT_TRUE(openCorridor());
    EXPECT_EQ(session.playback().step(), 0);
    EXPECT_FALSE(session.playback().timerOn());
    EXPECT_EQ(session.playback().counterText(), "0");
    EXPECT_TRUE(session.reopenedSameProject());
    EXPECT_EQ(session.view().zoom(), 3.0);
    EXPECT_EQ(session.view().origin(), origin);
    ASSERT_TRUE(session.openFiles(DataFile("arterial.tin"), DataFile("arterial_occu_exist.occ"),
                                  DataFile("arterial_opt_exist_plan.tpl")));
    EXPECT_FALSE(session.reopenedSameProject());
}

TEST_F(DisplaySessionTest, ChangeTimePlanKeepsMapAndOccupancy) {
    ASSERT_TRUE(openCorridor());
    session.playback().start();
    session.tick();
    answer({DataFile("corridor_opt_exist_plan.tpl")});
    ASSERT_TRUE(session.changeTimePlan());
    EXPECT_EQ(chooser.requests.back().title, "Open Occupancy Data File Dialog");
    EXPECT_EQ(chooser.requests.back().filter,
              "Time Plan Data Input (*.tpl)|*.tpl|Text File (*.txt)|*.txt");
    EXPECT_EQ(session.playback().step(), 0);
    EXPECT_TRUE(session.playback().startEnabled());
    EXPECT_EQ(session.model().signalStateAt(5, 33), kAmber);  // (1,32) then (0,61)
    EXPECT_NE(session.caption().find(", plan " + DataFile("corridor_opt_exist_plan.tpl")),
              std::string::npos);
    EXPECT_DOUBLE_EQ(session.model().occupancyAt(1, 1), 1.17);
    EXPECT_TRUE(session.changeTimePlanEnabled());
}

TEST_F(DisplaySessionTest, ChangeTimePlanFailuresKeepThePlanInForce) {
    ASSERT_TRUE(openCorridor());
    answer({""});
    EXPECT_FALSE(session.changeTimePlan());
    EXPECT_EQ(lastMessage(), "");  // cancelled
    answer({DataFile("missing.tpl")});
    EXPECT_FALSE(session.changeTimePlan());
    EXPECT_EQ(lastMessage(), "Time Plan file not exists!");
    answer({test::WriteTempFile("cut.tpl", "1\n0 10\n")});
    EXPECT_FALSE(session.changeTimePlan());
    EXPECT_EQ(lastMessage(),
              "Incorrect Time Plan file format!  Check the version!  No time plan is set!");
    EXPECT_EQ(session.model().signalStateAt(5, 6), kGreen);
    EXPECT_EQ(session.model().project.tables.cells.size(), 12U);
}

TEST_F(DisplaySessionTest, PlotFileIsChosenWithItsDialog) {
    answer({DataFile("corridor_ctmplot_1.plt")});
    EXPECT_EQ(session.choosePlotFile(), DataFile("corridor_ctmplot_1.plt"));
    EXPECT_EQ(chooser.requests.back().title, "Open CTM Plot Data File Dialog");
    EXPECT_EQ(chooser.requests.back().filter,
              "CTM Plot File (*.plt)|*.plt|Text File (*.txt)|*.txt");
    answer({DataFile("missing.plt")});
    EXPECT_FALSE(session.choosePlotFile());
    EXPECT_EQ(lastMessage(), "File not found!");
    const size_t messages = prompter.cautions.size();
    answer({""});
    EXPECT_FALSE(session.choosePlotFile());
    EXPECT_EQ(prompter.cautions.size(), messages);  // cancelling says nothing
}

TEST_F(DisplaySessionTest, PlaybackRunsToTheEndStepOfTheProject) {
    ASSERT_TRUE(openCorridor());
    session.playback().start();
    for (int i = 0; i < 300; ++i) {
        session.tick();
    }
    EXPECT_EQ(session.playback().step(), 300);
    session.tick();
    EXPECT_EQ(session.playback().step(), 300);  // stopped on the last frame
    EXPECT_FALSE(session.playback().timerOn());
    EXPECT_TRUE(session.playback().startEnabled());
}

}  // namespace
}  // namespace talvo::display

namespace talvo::display {
namespace {

TEST(DisplaySessionRead, OnlyAnOpenThatReadsItsFilesReplacesTheModel) {
    test::RecordingPrompter prompter;
    test::ScriptedChooser chooser;
    DisplaySession session(prompter, chooser);
    EXPECT_FALSE(session.openFiles(test::DataFile("corridor_run.tin"), "", ""));
    EXPECT_FALSE(session.lastOpenRead());
    EXPECT_FALSE(session.openFiles(test::DataFile("corridor_run.tin"),
                                   test::DataFile("missing.occ"), test::DataFile("missing.tpl")));
    EXPECT_FALSE(session.lastOpenRead());
    EXPECT_FALSE(session.openFiles(test::DataFile("corridor_run.tin"),
                                   test::DataFile("corridor_plan.tpl"),
                                   test::DataFile("corridor_plan.tpl")));
    EXPECT_TRUE(session.lastOpenRead());
}

}  // namespace
}  // namespace talvo::display
