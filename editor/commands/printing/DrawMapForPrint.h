#pragma once

#include <QFont>
#include <QImage>

namespace talvo {

struct ColourScheme;
struct Project;
struct SelectionState;

// The font labels are drawn in on the map picture.
QFont MapPictureFont();

// The whole map at zoom 1 and without scrolling, drawn as the map window draws it (same
// order, colours and geometry), into a picture of the full map extent.
QImage DrawMapForPrint(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection, const QFont& font = MapPictureFont());

}  // namespace talvo
