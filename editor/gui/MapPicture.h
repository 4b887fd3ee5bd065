#pragma once

#include <optional>

#include <QImage>
#include <QPainter>

#include "common/ProjectRecords.h"
#include "core/ColourScheme.h"
#include "core/MapHits.h"
#include "core/SelectionState.h"
#include "scene/MapNetwork.h"
#include "scene/Viewport.h"

namespace talvo {

// The editor's map of a project painted over a whole view (its size in pixels): on the
// screen, into pictures and for printing, all from the same scene.
void PaintEditorMap(QPainter& painter, const Project& project, const ColourScheme& colours,
                    const SelectionState& selection, const scene::Viewport& view,
                    const std::optional<scene::Rect>& rubberBand = std::nullopt);
// "Fit network": the whole network in view with a margin; nothing changes for an empty
// network.
void FitEditorMap(scene::Viewport& view, const Project& project);
// What the scroll bars reach: the map's extent and whatever of the network lies beyond it.
scene::Rect EditorMapContent(const Project& project);
// The same as a picture at a device pixel ratio.
QImage RenderEditorMap(const Project& project, const ColourScheme& colours,
                       const SelectionState& selection, const scene::Viewport& view,
                       double devicePixelRatio = 1.0);

// The map on the screen, redrawn at every step of a drag or zoom: it keeps the network of
// the project it last drew, with its index, until the project changes, and builds the
// picture of the part in view only. It draws what PaintEditorMap draws. The picture
// itself is kept until the project, the colours, the selection, the view, the rubber band
// or the screen's pixel ratio change: a repaint for anything else (an uncovered window, a
// tooltip, the status bar's neighbour) copies it instead of drawing a city again.
class EditorMapPainter {
  public:
    void paint(QPainter& painter, const Project& project, const ColourScheme& colours,
               const SelectionState& selection, const scene::Viewport& view,
               const std::optional<scene::Rect>& rubberBand = std::nullopt);
    void fit(scene::Viewport& view, const Project& project);
    scene::Rect content(const Project& project);

  private:
    // What the kept picture was drawn for.
    struct FrameKey {
        ColourScheme colours;
        SelectionState selection;
        scene::Size size;
        double zoom = 0.0;
        scene::Point origin;
        std::optional<scene::Rect> rubberBand;
        double devicePixelRatio = 1.0;
    };
    static bool Same(const FrameKey& a, const FrameKey& b);

    const scene::MapNetwork& networkOf(const Project& project);
    void draw(QPainter& painter, const ColourScheme& colours, const SelectionState& selection,
              const scene::Viewport& view, const std::optional<scene::Rect>& rubberBand);

    std::optional<Project> project_;
    scene::MapNetwork network_;
    std::optional<scene::Rect> bounds_;
    scene::Rect extent_ = kMapExtent;   // MapExtentOf the network
    std::optional<FrameKey> frameKey_;  // none once the project changes
    QImage frame_;
};

}  // namespace talvo
