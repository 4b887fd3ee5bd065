#pragma once
// The console of a run started from the library: kept as text, each GA generation's line
// handed to a progress callback, which may cancel the run by returning false.
#include <functional>
#include <streambuf>
#include <string>

#include "talvo/Engine.h"

namespace talvo {

class ConsoleLines : public std::streambuf {
  public:
    using Callback = std::function<bool(const GenerationProgress&)>;
    explicit ConsoleLines(Callback onGeneration) : onGeneration_(std::move(onGeneration)) {}

    const std::string& text() const { return text_; }
    std::string lastLine() const;
    bool cancelled() const { return cancelled_; }
    // The minimum TWD of the last search ended, 0 before any.
    float lastTwd() const { return lastTwd_; }

  protected:
    int_type overflow(int_type c) override;

  private:
    void lineEnded(const std::string& line);

    Callback onGeneration_;
    std::string text_, line_;
    int stage_ = 1;
    float lastTwd_ = 0;
    bool cancelled_ = false;
};

}  // namespace talvo
