#include <gtest/gtest.h>

#include <functional>

#include <QImage>
#include <QPainter>

#include "MapPicture.h"
#include "testing/LongRows.h"

namespace talvo {
namespace {

QImage Painted(const scene::Viewport& view, const std::function<void(QPainter&)>& paint) {
    QImage image(static_cast<int>(view.size().width), static_cast<int>(view.size().height),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter);
    return image;
}

TEST(EditorMapPainter, DrawsTheViewAsTheWholeMapDrawsIt) {
    const Project project = scene::testing::LongRows();
    SelectionState selection;
    selection.selectedKind = SelectedKind::Link;
    selection.selectedID = project.tables.links[9].linkID;  // through the node
    const ColourScheme colours;
    EditorMapPainter map;
    for (const scene::Viewport& view : scene::testing::LongRowsViews()) {
        const QImage whole = Painted(view, [&](QPainter& painter) {
            PaintEditorMap(painter, project, colours, selection, view);
        });
        const QImage part = Painted(view, [&](QPainter& painter) {
            map.paint(painter, project, colours, selection, view);
        });
        EXPECT_TRUE(part == whole) << "zoom " << view.zoom();
    }
}

TEST(EditorMapPainter, AKeptPictureGivesWayToAChangedSelectionOrProject) {
    Project project = scene::testing::LongRows();
    SelectionState selection;
    const ColourScheme colours;
    scene::Viewport view;
    view.resize(scene::Size{400, 300});
    EditorMapPainter map;
    auto expectAsWhole = [&](const char* after) {
        const QImage whole = Painted(view, [&](QPainter& painter) {
            PaintEditorMap(painter, project, colours, selection, view);
        });
        const QImage kept = Painted(view, [&](QPainter& painter) {
            map.paint(painter, project, colours, selection, view);
        });
        EXPECT_TRUE(kept == whole) << after;
    };
    expectAsWhole("first");
    selection.selectedKind = SelectedKind::Cell;
    selection.selectedID = project.tables.cells[1].cellID;
    expectAsWhole("selection");
    project.tables.cells[2].y += 300.0;
    expectAsWhole("moved cell");
}

}  // namespace
}  // namespace talvo
