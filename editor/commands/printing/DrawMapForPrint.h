#pragma once

#include <QImage>

namespace talvo {

struct ColourScheme;
struct Project;
struct SelectionState;

// The whole map at zoom 1 and without scrolling, drawn as the map window draws it (the same
// scene: order, colours and geometry), into a picture of the full map extent.
QImage DrawMapForPrint(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection);

}  // namespace talvo
