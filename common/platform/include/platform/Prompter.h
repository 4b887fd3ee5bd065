#pragma once
// How both programs talk to the user. Windows show modal message boxes ("Caution!" for
// refusals, "Warning!" with OK and Cancel for questions); tests and the batch export record
// or print them.

#include <string>

namespace talvo {

class Prompter {
  public:
    virtual ~Prompter() = default;
    // A refusal: critical box titled "Caution!". The detail, when given, names the file,
    // line and value behind the message and is shown beneath it.
    virtual void caution(const std::string& text, const std::string& detail = {}) = 0;
    // A question the user may go on from: "Warning!" with OK (true) and Cancel (false).
    virtual bool warning(const std::string& text) = 0;
};

}  // namespace talvo
