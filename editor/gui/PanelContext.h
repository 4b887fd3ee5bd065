#pragma once

#include <functional>

#include "core/EditorModel.h"
#include "platform/Prompter.h"

namespace talvo {

// What the configuration panel's pages share: the network (read, and changed through
// its commands), the message boxes, and the window's requests.
struct PanelContext {
    EditorModel& model;
    Prompter& prompter;
    // Cells of this signal movement drawn in the selection colour; 0 ends the highlight.
    std::function<void(int)> highlightMovement;
    // Opens the origin demand dialog for the cell at this table position.
    std::function<void(int)> openOriginDialog;
};

}  // namespace talvo
