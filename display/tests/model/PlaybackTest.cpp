#include <gtest/gtest.h>

#include "model/Playback.h"

namespace talvo::display {
namespace {

TEST(Playback, StartsStoppedAtStepZero) {
    const Playback playback;
    EXPECT_EQ(playback.step(), 0);
    EXPECT_FALSE(playback.timerOn());
    EXPECT_TRUE(playback.startEnabled());
    EXPECT_FALSE(playback.endEnabled());
    EXPECT_EQ(playback.pauseCaption(), "&Pause");
    EXPECT_EQ(playback.counterText(), "0");
}

TEST(Playback, StartRunsTheTimerAndTicksShowEachStep) {
    Playback playback;
    playback.start();
    EXPECT_TRUE(playback.timerOn());
    EXPECT_FALSE(playback.startEnabled());
    EXPECT_TRUE(playback.endEnabled());
    playback.tick(3);
    playback.tick(3);
    EXPECT_EQ(playback.step(), 2);
    EXPECT_EQ(playback.counterText(), "2");
}

TEST(Playback, RunningPastEndStepStopsByItself) {
    Playback playback;
    playback.start();
    for (int i = 0; i < 3; ++i) {
        playback.tick(3);
    }
    EXPECT_EQ(playback.step(), 3);
    EXPECT_TRUE(playback.timerOn());
    playback.tick(3);
    EXPECT_EQ(playback.step(), 0);
    EXPECT_FALSE(playback.timerOn());
    EXPECT_TRUE(playback.startEnabled());
    EXPECT_FALSE(playback.endEnabled());
    EXPECT_EQ(playback.pauseCaption(), "&Pause");
    EXPECT_EQ(playback.counterText(), "3");  // the last step shown stays on the label
}

TEST(Playback, PauseAndContinueToggleTheTimer) {
    Playback playback;
    playback.start();
    playback.tick(10);
    playback.togglePause();
    EXPECT_TRUE(playback.paused());
    EXPECT_FALSE(playback.timerOn());
    EXPECT_EQ(playback.pauseCaption(), "&Continue");
    EXPECT_EQ(playback.step(), 1);
    playback.togglePause();
    EXPECT_FALSE(playback.paused());
    EXPECT_TRUE(playback.timerOn());
    EXPECT_EQ(playback.pauseCaption(), "&Pause");
}

TEST(Playback, PauseWhileStoppedDoesNothing) {
    Playback playback;
    playback.togglePause();
    EXPECT_FALSE(playback.paused());
    EXPECT_FALSE(playback.timerOn());
    EXPECT_EQ(playback.pauseCaption(), "&Pause");
}

TEST(Playback, EndFromPausedReturnsToStopped) {
    Playback playback;
    playback.start();
    playback.tick(10);
    playback.tick(10);
    playback.togglePause();
    playback.end();
    EXPECT_EQ(playback.step(), 0);
    EXPECT_FALSE(playback.paused());
    EXPECT_FALSE(playback.timerOn());
    EXPECT_TRUE(playback.startEnabled());
    EXPECT_FALSE(playback.endEnabled());
    EXPECT_EQ(playback.pauseCaption(), "&Pause");
    EXPECT_EQ(playback.counterText(), "0");
}

TEST(PlaybackSpeed, SliderPositionsMapToIntervals) {
    const std::pair<int, int> table[] = {{10, 100}, {1, 1000}, {5, 600}, {9, 200}};
    for (const auto& [position, interval] : table) {
        EXPECT_EQ(Playback::IntervalForPosition(position), interval);
        EXPECT_EQ(Playback::PositionForInterval(interval), position);
    }
}

TEST(PlaybackSpeed, TheSliderShowsThePositionOfTheCurrentInterval) {
    Playback playback;
    EXPECT_EQ(playback.speedPosition(), 9);  // 200 ms at load
    playback.setSpeedPosition(3);
    EXPECT_EQ(playback.intervalMs(), 800);
    EXPECT_EQ(playback.speedPosition(), 3);
    EXPECT_EQ(Playback::PositionForInterval(5000), 1);
    EXPECT_EQ(Playback::PositionForInterval(10), 10);
}

}  // namespace
}  // namespace talvo::display
