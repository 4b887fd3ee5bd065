#pragma once

#include <vector>

#include <QImage>
#include <QPainter>

#include "model/DisplaySession.h"
#include "scenepainter/ScenePainter.h"

namespace talvo::display {

// The session's playback frame at its current step, over the whole of its view (the view's
// size in pixels); only the background while nothing is shown. Returns the texts drawn.
std::vector<scene::PaintedText> PaintPlayback(QPainter& painter, const DisplaySession& session,
                                              bool showing);
// A frame of a loaded run at a step, as PaintPlayback draws it: what reaches into the view.
std::vector<scene::PaintedText> PaintPlaybackFrame(QPainter& painter, const DisplayModel& model,
                                                   const scene::MapNetwork& network, int step,
                                                   const scene::Viewport& view,
                                                   const ZoomDrag& drag);
// The same as a picture at a device pixel ratio (2 for a high-density screen).
QImage RenderPlayback(const DisplaySession& session, bool showing, double devicePixelRatio = 1.0);

}  // namespace talvo::display
