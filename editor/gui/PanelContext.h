#pragma once

#include <functional>

#include "EditorDocument.h"
#include "model/Prompter.h"

namespace talvo {

// What the configuration panel's pages share: the network, the message boxes, and the
// window's redraw and highlight requests.
struct PanelContext {
    EditorDocument& document;
    Prompter& prompter;
    std::function<void()> redraw;
    // Cells of this signal movement drawn in the selection colour; 0 ends the highlight.
    std::function<void(int)> highlightMovement;
    // Opens the origin demand dialog for the cell at this table position.
    std::function<void(int)> openOriginDialog;
};

}  // namespace talvo
