#pragma once

#include <functional>
#include <string>

#include "EditorDocument.h"
#include "MapGeometry.h"
#include "MapView.h"
#include "SelectionState.h"

namespace talvo {

// The editing tools on the map, free of widgets: what a press, a pointer move, a drag
// tick and a release do with each tool, the selection, rubber band, align, space,
// delete and undo. Pointer positions are in screen units (twips) on the map picture.
class MapEditor {
  public:
    enum class PopupMenu { None, Format, Zoom, Edit };

    MapEditor(EditorDocument& document, MapView& view);

    // Messages go out through caution; `selectionChanged` tells the panel to show the
    // selection (or clear itself); `measure` gives a label's text size on the picture.
    std::function<void(const std::string&)> caution;
    std::function<void()> selectionChanged;
    TextMeasure measure;

    const SelectionState& selection() const { return sel_; }
    SelectionState& selection() { return sel_; }

    void SetTool(Tool tool);
    void ClearSelection();

    void PressLeft(double px, double py);
    void MovePointer(double px, double py);
    // One drag step with the last pointer position; true when something changed.
    bool DragTick();
    void ReleaseLeft(double px, double py);
    PopupMenu ReleaseRight() const;
    bool dragging() const { return buttonDown_; }

    // The rubber band being drawn (screen units), when there is one.
    bool RubberBand(ScreenPoint& a, ScreenPoint& b) const;

    void DeleteKey();
    void DeleteSelected();
    void Align(bool horizontal);
    void Space(bool horizontal);
    void Undo();

  private:
    MapPoint PointerMap(double px, double py) const;
    void Caution(const std::string& text) const;
    void Notify();
    void GrabAt(MapPoint p);
    void LinkToolPress(MapPoint p);
    void SortMulti(bool byX);
    void KeepInsideMap(double& x, double& y, double halfX, double halfY) const;
    void AutoScroll();
    void DropStaleIndices();

    EditorDocument& doc_;
    MapView& view_;
    SelectionState sel_;

    bool buttonDown_ = false;
    bool groupMove_ = false;
    bool rubberBandActive_ = false;
    double pointerX_ = 0;
    double pointerY_ = 0;
    MapPoint grabOffset_;
    MapPoint rubberStart_;
    MapPoint lastGroupPoint_;
};

}  // namespace talvo
