#pragma once

#include <optional>
#include <string>

#include "core/ColourScheme.h"

namespace talvo {

// The answer to "save the changes first?" when unsaved work would be lost.
enum class SaveChoice { Save, Discard, Cancel };

// The common dialogs the editor window asks the user through. Tests answer them;
// the Qt implementation shows the real dialogs. Filters use the "Name|pattern|..."
// form; an empty result means the user cancelled.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual std::string OpenFileName(const std::string& title, const std::string& filter,
                                     int filterIndex, const std::string& initialName) = 0;
    virtual std::string SaveFileName(const std::string& title, const std::string& filter,
                                     int filterIndex, const std::string& initialName) = 0;
    virtual std::optional<ColourValue> ChooseColour(ColourValue initial) = 0;
    virtual SaveChoice AskSaveChanges(const std::string& text) = 0;
};

}  // namespace talvo
