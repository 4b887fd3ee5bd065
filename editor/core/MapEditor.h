#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/EditorModel.h"
#include "core/SelectionState.h"
#include "scene/MapNetwork.h"
#include "scene/Viewport.h"

namespace talvo {

// The editing tools on the map, free of widgets: what a press, a pointer move, a drag
// tick and a release do with each tool, the selection, rubber band, align, space and
// delete. Every change of the network goes to the model as one command (a whole drag is
// one); selection and tool changes never reach the history. Pointer positions are pixels
// on the map picture of the view.
class MapEditor : public QObject {
    Q_OBJECT

  public:
    enum class PopupMenu { None, Format, Zoom, Edit };

    MapEditor(EditorModel& model, scene::Viewport& view, QObject* parent = nullptr);

    // Refusals go out through caution; `measure` gives a label's text size on the picture.
    std::function<void(const std::string&)> caution;
    scene::TextMeasure measure;

    const SelectionState& selection() const { return sel_; }

    void SetTool(Tool tool);
    void ClearSelection();
    // Puts a selection back (after a dialog put it aside) or picks cells by ID; what is
    // not in the network is left out.
    void SetSelection(const SelectionState& selection);
    void SelectCells(std::vector<int> cellIDs);
    // Cells of this signal movement drawn in the selection colour; 0 ends it.
    void HighlightMovement(int movement);

    void PressLeft(double px, double py);
    void MovePointer(double px, double py);
    // One drag step with the last pointer position; true when the picture must be drawn
    // again for something that is not in the model (the rubber band). A pointer outside the
    // picture scrolls the view towards it, while the view has not reached the map's edge.
    bool DragTick();
    void ReleaseLeft(double px, double py);
    PopupMenu ReleaseRight() const;
    bool dragging() const { return buttonDown_; }

    // The rubber band being drawn (pixels), when there is one.
    std::optional<scene::Rect> RubberBand() const;

    void DeleteKey();
    void DeleteSelected();
    void Align(bool horizontal);
    void Space(bool horizontal);

  signals:
    // The selection (or the pending link start) changed: the panel follows it.
    void selectionChanged();
    void toolChanged();
    // Only the drawing changed (the movement highlight).
    void highlightChanged();

  private:
    scene::Point PointerMap(double px, double py) const;
    void Caution(const std::string& text) const;
    void Refuse(const EditResult& result) const;
    void GrabAt(scene::Point p);
    void LinkToolPress(scene::Point p);
    void SortMulti(bool byX);
    // Holds a point (an object's centre, halfX and halfY from its sides) within the extent.
    void KeepInsideMap(const scene::Rect& extent, double& x, double& y, double halfX,
                       double halfY) const;
    void AutoScroll();
    // Leaves out of the selection what the network no longer holds; true when it did.
    bool KeepExisting();
    // The records of the picked cells, in selection order.
    std::vector<const CellRecord*> SelectedCellRecords() const;
    void MoveCells(const std::vector<std::pair<const CellRecord*, scene::Point>>& targets,
                   const char* what);
    scene::MapNetwork Network() const;

    EditorModel& model_;
    scene::Viewport& view_;
    SelectionState sel_;
    bool stepped_ = false;  // an undo or redo is running
    // The selection before an edit left some of it out, until something else is chosen.
    std::optional<SelectionState> gone_;

    bool buttonDown_ = false;
    bool groupMove_ = false;
    bool rubberBandActive_ = false;
    int gesture_ = 0;  // numbers each press, so that the steps of one drag merge
    double pointerX_ = 0;
    double pointerY_ = 0;
    scene::Point grabOffset_;
    scene::Point rubberStart_;
    scene::Point lastGroupPoint_;
};

}  // namespace talvo
