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
    // Stopped on the last frame, not on the empty second 0.
    EXPECT_EQ(playback.step(), 3);
    EXPECT_FALSE(playback.timerOn());
    EXPECT_TRUE(playback.startEnabled());
    EXPECT_FALSE(playback.endEnabled());
    EXPECT_EQ(playback.pauseCaption(), "&Pause");
    EXPECT_EQ(playback.counterText(), "3");
    playback.stepBack(3);  // from the end one second back, paused there
    EXPECT_EQ(playback.step(), 2);
    EXPECT_TRUE(playback.paused());
    playback.end();
    playback.seek(3, 3);
    playback.togglePause();
    playback.tick(3);
    playback.start();  // after running to the end, Start plays again from 0
    EXPECT_EQ(playback.step(), 0);
    EXPECT_TRUE(playback.timerOn());
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

TEST(Playback, SteppingFromStoppedPausesAtTheStep) {
    Playback playback;
    playback.stepForward(3);
    EXPECT_EQ(playback.step(), 1);
    EXPECT_EQ(playback.counterText(), "1");
    EXPECT_TRUE(playback.paused());
    EXPECT_FALSE(playback.timerOn());
    EXPECT_FALSE(playback.startEnabled());
    EXPECT_EQ(playback.pauseCaption(), "&Continue");
    playback.togglePause();  // Continue plays on from step 1
    playback.tick(3);
    EXPECT_EQ(playback.step(), 2);
    playback.stepBack(3);  // pauses the running playback first
    EXPECT_EQ(playback.step(), 1);
    EXPECT_FALSE(playback.timerOn());
    playback.seek(99, 3);  // held within 0..endStep
    EXPECT_EQ(playback.step(), 3);
    playback.stepForward(3);
    EXPECT_EQ(playback.step(), 3);
    playback.end();
    EXPECT_EQ(playback.step(), 0);
    // A jump while running plays on from there.
    playback.start();
    playback.seek(2, 3);
    playback.tick(3);
    EXPECT_EQ(playback.step(), 3);
    EXPECT_TRUE(playback.timerOn());
}

TEST(PlaybackSpeed, TheControlsPlayUpToFiftyStepsASecond) {
    Playback playback;
    EXPECT_EQ(playback.stepsPerSecond(), 5);  // 200 ms at load
    playback.setStepsPerSecond(50);
    EXPECT_EQ(playback.intervalMs(), 20);
    EXPECT_EQ(playback.stepsPerSecond(), 50);
    playback.setSpeedPosition(4);  // 700 ms: not one of the controls' speeds
    EXPECT_EQ(playback.stepsPerSecond(), 0);
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
