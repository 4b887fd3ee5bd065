#pragma once

#include <QStringList>

namespace talvo::display {

class GraphicDisplayWindow;

// Opens what the program's arguments name: "PROJECT OCCUPANCY PLAN" as "&Open" does, or
// "--plot FILE..." as plot windows. No arguments open nothing.
void OpenFromArguments(GraphicDisplayWindow& window, const QStringList& arguments);

}  // namespace talvo::display
