#pragma once

#include <array>
#include <string>

namespace talvo::display {

// The "&Run" menu's state machine: Stopped -> Start -> Running <-> Paused -> End -> Stopped;
// running to endStep stops there by itself (Start then plays again from 0). Stepping or jumping to
// a second above 0 pauses there (Continue plays on from it, End returns to 0). The window mirrors
// it into its timer, menu and playback controls.
class Playback {
  public:
    static constexpr int kDefaultIntervalMs = 200;
    static constexpr const char* kPauseCaption = "&Pause";
    static constexpr const char* kContinueCaption = "&Continue";

    int step() const { return step_; }
    bool timerOn() const { return timerOn_; }
    bool paused() const { return paused_; }
    bool startEnabled() const { return startEnabled_; }
    bool endEnabled() const { return endEnabled_; }
    std::string pauseCaption() const { return pauseCaption_; }
    const std::string& counterText() const { return counterText_; }
    int intervalMs() const { return intervalMs_; }

    // Back to step 0 with the timer off (window load, open, change of plan, "&End").
    void stop();
    void start();
    // Pause or continue; does nothing unless "&End" is enabled.
    void togglePause();
    void end() { stop(); }
    // One timer tick: the next step, or the stopped state on endStep once it is reached.
    void tick(int endStep);
    // Shows a second 0..endStep (held within the range). A running playback plays on from
    // there; a stopped one becomes paused there unless the second is 0.
    void seek(int step, int endStep);
    // One step forward or back, pausing a running playback first.
    void stepForward(int endStep);
    void stepBack(int endStep);

    // The speed slider: interval = 1100 - 100 x position, positions 1 to 10.
    static int IntervalForPosition(int position);
    static int PositionForInterval(int intervalMs);
    int speedPosition() const { return PositionForInterval(intervalMs_); }
    void setSpeedPosition(int position) { intervalMs_ = IntervalForPosition(position); }

    // The playback controls' speeds, in steps per second (the fastest as fast as a frame is
    // drawn on most machines).
    static constexpr std::array<int, 9> kStepsPerSecond{1, 2, 5, 10, 20, 30, 50, 100, 200};
    void setStepsPerSecond(int steps);
    // The chosen speed of kStepsPerSecond, or 0 when the interval is not one of them.
    int stepsPerSecond() const;

  private:
    void pause();

    int step_ = 0;
    bool timerOn_ = false;
    bool paused_ = false;
    bool startEnabled_ = true;
    bool endEnabled_ = false;
    bool atEnd_ = false;  // stopped by running to the last second
    const char* pauseCaption_ = kPauseCaption;
    std::string counterText_ = std::to_string(0);
    int intervalMs_ = kDefaultIntervalMs;
};

}  // namespace talvo::display
