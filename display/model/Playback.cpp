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
    atEnd_ = false;
    counterText_ = std::to_string(0);
}

void Playback::start() {
    // A playback that ran to its end plays again from the start.
    if (atEnd_) {
        step_ = 0;
        atEnd_ = false;
        counterText_ = std::to_string(0);
    }
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
    // The last second is the last frame: the playback stops on it rather than wrapping to
    // second 0, whose empty cells and red signals are no frame of the run.
    if (step_ >= endStep) {
        step_ = std::max(endStep, 0);
        atEnd_ = true;
        timerOn_ = false;
        startEnabled_ = true;
        endEnabled_ = false;
        paused_ = false;
        pauseCaption_ = kPauseCaption;
    } else {
        ++step_;
    }
    counterText_ = std::to_string(step_);
}

void Playback::pause() {
    if (timerOn_) {
        togglePause();
    }
}

void Playback::seek(int step, int endStep) {
    step_ = std::clamp(step, 0, std::max(endStep, 0));
    atEnd_ = false;
    counterText_ = std::to_string(step_);
    if (!endEnabled_ && step_ > 0) {
        startEnabled_ = false;
        endEnabled_ = true;
        paused_ = true;
        pauseCaption_ = kContinueCaption;
        timerOn_ = false;
    }
}

void Playback::stepForward(int endStep) {
    pause();
    seek(step_ + 1, endStep);
}

void Playback::stepBack(int endStep) {
    pause();
    seek(step_ - 1, endStep);
}

void Playback::setStepsPerSecond(int steps) {
    intervalMs_ = 1000 / std::clamp(steps, kStepsPerSecond.front(), kStepsPerSecond.back());
}

int Playback::stepsPerSecond() const {
    for (const int steps : kStepsPerSecond) {
        if (1000 / steps == intervalMs_) {
            return steps;
        }
    }
    return 0;
}

int Playback::IntervalForPosition(int position) {
    return 1100 - 100 * std::clamp(position, 1, 10);
}

int Playback::PositionForInterval(int intervalMs) {
    return std::clamp((1100 - intervalMs) / 100, 1, 10);
}

}  // namespace talvo::display
