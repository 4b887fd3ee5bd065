#pragma once
// The prompter of every window and model test: records each message box instead of
// showing it and answers warnings with warningAnswer.

#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace talvo::test {

class RecordingPrompter : public Prompter {
  public:
    void caution(const std::string& text, const std::string& detail = {}) override {
        cautions.push_back(text);
        details.push_back(detail);
    }
    bool warning(const std::string& text) override {
        warnings.push_back(text);
        return warningAnswer;
    }
    // The last refusal's text, or nothing.
    std::string Last() const { return cautions.empty() ? std::string() : cautions.back(); }
    void clear() {
        cautions.clear();
        details.clear();
        warnings.clear();
    }

    std::vector<std::string> cautions;
    std::vector<std::string> details;  // beside each caution, empty when none was given
    std::vector<std::string> warnings;
    bool warningAnswer = true;  // OK
};

}  // namespace talvo::test
