#include "model/Playback.h"

#include <algorithm>

namespace talvo::display {

void Playback::stop() {
    timerOn_ = false;
    startEnabled_ = true;
    endEnabled_ = false;
    paused_ = false;
    pauseCaption_ = kPauseCaption;
    step_ = 0;
    counterText_ = std::to_string(0);
}

void Playback::start() {
    timerOn_ = true;
    startEnabled_ = false;
    endEnabled_ = true;
}

void Playback::togglePause() {
    if (!endEnabled_) {
        return;
    }
    if (paused_) {
        pauseCaption_ = kPauseCaption;
        paused_ = false;
        timerOn_ = true;
    } else {
        pauseCaption_ = kContinueCaption;
        paused_ = true;
        timerOn_ = false;
    }
}

void Playback::tick(int endStep) {
    ++step_;
    if (step_ > endStep) {
        step_ = 0;
        timerOn_ = false;
        startEnabled_ = true;
        endEnabled_ = false;
        pauseCaption_ = kPauseCaption;
    }
    // The label keeps the last step shown once the playback has wrapped to 0.
    if (step_ != 0) {
        counterText_ = std::to_string(step_);
    }
}

int Playback::IntervalForPosition(int position) {
    return 1100 - 100 * std::clamp(position, 1, 10);
}

int Playback::PositionForInterval(int intervalMs) {
    return std::clamp((1100 - intervalMs) / 100, 1, 10);
}

}  // namespace talvo::display
