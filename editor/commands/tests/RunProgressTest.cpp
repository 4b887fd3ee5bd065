// The run window's reading of the engine's console, fed with recorded runs of the arterial
// example (tests/data/engine-console, see its README) in pieces of any size.

#include "launcher/RunProgress.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "launcher/RunResults.h"

namespace talvo {
namespace {

std::string Recording(const std::string& name) {
    std::ifstream in(std::string(TALVO_COMMANDS_TEST_DATA) + "/engine-console/" + name,
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

RunProgress Fed(const std::string& text, RunExpectation expectation, size_t piece) {
    RunProgress progress(expectation);
    for (size_t at = 0; at < text.size(); at += piece) {
        progress.feed(std::string_view(text).substr(at, piece));
    }
    return progress;
}

struct Recorded {
    const char* file;
    RunExpectation expectation;
    std::vector<int> generationsPerSearch;
    double lastBestTwd;  // the best so far in the last row
    std::optional<double> bestTwd;
};

TEST(RunProgress, RecordedRunsGiveTheirSearchesGenerationsAndFinish) {
    const Recorded runs[] = {
        {"existing-plan.txt", {false, 1, 30}, {}, 0, std::nullopt},
        {"fgfc.txt", {true, 1, 30}, {30}, 6359.014, 6359.014},
        {"vgfc-early-stop.txt", {true, 2, 30}, {21, 6}, 6359.3613, 6359.3613},
        {"vgvc.txt", {true, 3, 30}, {30, 30, 16}, 6358.25, 6358.25},
    };
    for (const Recorded& run : runs) {
        const std::string text = Recording(run.file);
        for (const size_t piece : {text.size(), size_t(7), size_t(1)}) {
            RunProgress progress = Fed(text, run.expectation, piece);
            progress.finish(0);
            SCOPED_TRACE(std::string(run.file) + " in pieces of " + std::to_string(piece));
            EXPECT_EQ(progress.phase(), RunPhase::Finished);
            EXPECT_EQ(progress.fractionDone(), 1.0);
            std::vector<int> perSearch;
            for (const GenerationFigures& row : progress.generations()) {
                if (row.stage == int(perSearch.size())) {
                    perSearch.push_back(0);
                }
                ASSERT_EQ(row.stage, int(perSearch.size()) - 1);
                EXPECT_EQ(row.generation, ++perSearch.back());
                EXPECT_GT(row.elapsedSeconds, 0);
                EXPECT_LE(row.bestTwd, row.minTwd);
                EXPECT_LE(row.minTwd, row.maxTwd);
            }
            EXPECT_EQ(perSearch, run.generationsPerSearch);
            EXPECT_EQ(progress.bestTwd(), run.bestTwd);
            if (!progress.generations().empty()) {
                EXPECT_DOUBLE_EQ(progress.generations().back().bestTwd, run.lastBestTwd);
            }
        }
    }
}

TEST(RunProgress, MidRunShowsTheStageAndGenerationReached) {
    const std::string text = Recording("vgfc-early-stop.txt");
    RunProgress progress({true, 2, 30});
    const size_t fgfcRow4 = text.find("\n 4 ") + 1;
    progress.feed(text.substr(0, text.find('\n', fgfcRow4) + 1));
    EXPECT_EQ(progress.phase(), RunPhase::Searching);
    EXPECT_EQ(PhaseText(progress), "FGFC search");
    EXPECT_EQ(progress.generation(), 4);
    EXPECT_DOUBLE_EQ(*progress.fractionDone(), 4.0 / 30 / 2);
    const GenerationFigures& row = progress.generations().back();
    EXPECT_DOUBLE_EQ(row.maxTwd, 11909.311);
    EXPECT_DOUBLE_EQ(row.minTwd, 6396.547);

    const size_t best = text.find(" Simulating Best Plan");
    progress.feed(text.substr(text.find('\n', fgfcRow4) + 1, best - text.find('\n', fgfcRow4)));
    progress.feed(text.substr(best + 1, text.find('\n', best + 1) - best));
    EXPECT_EQ(PhaseText(progress), "FGFC: simulating the best plan");
    EXPECT_DOUBLE_EQ(*progress.fractionDone(), 0.5);
    progress.feed(text.substr(text.find('\n', best + 1) + 1, 160));
    EXPECT_EQ(PhaseText(progress), "VGFC search");
    EXPECT_EQ(progress.stage(), 1);
}

// The counter names the search and counts as the chart does over all searches.
TEST(RunProgress, TheGenerationCounterNamesTheSearchAndAllGenerations) {
    RunProgress progress = Fed(Recording("vgfc-early-stop.txt"), {true, 2, 30}, 64);
    progress.finish(0);
    EXPECT_EQ(GenerationText(progress),
              "VGFC: 6 of at most 30 (27 generations in 2 of 2 searches)");
    EXPECT_EQ(GenerationText(Fed(Recording("fgfc.txt"), {true, 1, 30}, 64)),
              "FGFC: 30 of at most 30");
    EXPECT_EQ(GenerationText(RunProgress({true, 1, 30})), "");
}

TEST(RunProgress, ARunThatStopsOnAnErrorFailsWithTheEngineMessage) {
    RunProgress progress({false, 1, 30});
    progress.feed(Recording("failed.txt"));
    EXPECT_EQ(PhaseText(progress), "Reading the scenario");
    EXPECT_FALSE(progress.fractionDone());
    progress.finish(1);
    EXPECT_EQ(progress.phase(), RunPhase::Failed);
    EXPECT_EQ(progress.lastLine(),
              "Error in bad/input.fin, line 16: expected a real number for laneNum of cell 1, "
              "found \"x\"");
    // A run killed before its last line also failed, whatever its status.
    RunProgress cut({false, 1, 30});
    cut.feed(" Opening Scenario File\n Closing Scen");
    cut.finish(0);
    EXPECT_EQ(cut.phase(), RunPhase::Failed);
}

TEST(RunSummary, DifferenceInPercentWithItsVerdict) {
    const struct {
        DelayComparison comparison;
        const char* difference;
    } cases[] = {
        {{1.77, 1.92}, "-7.8 % (less delay than the existing plan)"},
        {{2.11, 1.92}, "+9.9 % (more delay than the existing plan)"},
        {{1.9201, 1.92}, "0.0 % (the same delay as the existing plan)"},
    };
    for (const auto& c : cases) {
        const auto rows = SummaryRows("FGFC", c.comparison);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].label, "FGFC plan");
        EXPECT_EQ(rows[2].value, c.difference);
    }
    EXPECT_EQ(SummaryRows("VGVC", {1.5, std::nullopt})[1].value,
              "not known (its simulation failed)");
    EXPECT_EQ(SummaryRows("", {1.92, 1.92}).size(), 1u);
}

}  // namespace
}  // namespace talvo
