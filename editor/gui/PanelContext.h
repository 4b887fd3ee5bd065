#pragma once

#include <functional>
#include <limits>

#include "core/EditorModel.h"
#include "platform/Prompter.h"

namespace talvo {

// A page that shows no record holds this ID, which no record has.
inline constexpr int kNoRecord = std::numeric_limits<int>::min();

// What the configuration panel's pages share: the network (read, and changed through
// its commands), the message boxes, and the window's requests.
struct PanelContext {
    EditorModel& model;
    Prompter& prompter;
    // Cells of this signal movement drawn in the selection colour; 0 ends the highlight.
    std::function<void(int)> highlightMovement;
    // Opens the origin demand dialog for the cell of this ID.
    std::function<void(int)> openOriginDialog;
};

}  // namespace talvo
