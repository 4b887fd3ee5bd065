#include <gtest/gtest.h>

#include <functional>

#include <QImage>
#include <QPainter>

#include "MapPicture.h"

namespace talvo {
namespace {

// Two long crossing rows of cells with IDs, links, a node and street labels, much larger
// than the view, so that a zoomed view draws only a part of them.
Project LongRows() {
    Project project;
    for (int i = 0; i < 400; ++i) {
        CellRecord cell;
        cell.cellID = i + 1;
        cell.x = 500.0 + (i % 200) * 300.0;
        cell.y = i < 200 ? 2000.0 : 2600.0;
        cell.laneNum = 2;
        cell.speed = 36.0;
        cell.orientation = kHorizontal;
        cell.signalID = i % 7 == 0 ? 1 : 0;
        project.tables.cells.push_back(cell);
        if (i % 200 != 0) {
            LinkRecord link;
            link.linkID = i;
            link.fromCell = i;
            link.toCell = i + 1;
            link.passNode = i == 10 ? 900 : 0;
            project.tables.links.push_back(link);
        }
    }
    NodeRecord node;
    node.nodeID = 900;
    node.x = 3500.0;
    node.y = 2300.0;
    project.tables.nodes.push_back(node);
    StreetRecord street;
    street.streetName = "Long Row";
    street.x = 2000.0;
    street.y = 1500.0;
    project.tables.streets.push_back(street);
    return project;
}

QImage Painted(const scene::Viewport& view, const std::function<void(QPainter&)>& paint) {
    QImage image(static_cast<int>(view.size().width), static_cast<int>(view.size().height),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter);
    return image;
}

TEST(EditorMapPainter, DrawsTheViewAsTheWholeMapDrawsIt) {
    const Project project = LongRows();
    SelectionState selection;
    selection.selectedKind = SelectedKind::Link;
    selection.selectedIndex = 9;  // through the node
    const ColourScheme colours;
    EditorMapPainter map;
    struct View {
        double zoom;
        scene::Point origin;
    };
    // Zoomed in on the node, on a stretch of plain cells, and far out over everything.
    for (const View& v : {View{2.0, {2600, 1700}}, View{1.0, {20000, 1000}}, View{0.3, {0, 0}}}) {
        scene::Viewport view;
        view.resize(scene::Size{400, 300});
        view.zoomAbout(scene::Point{}, v.zoom);
        view.setOrigin(v.origin);
        const QImage whole = Painted(view, [&](QPainter& painter) {
            PaintEditorMap(painter, project, colours, selection, view);
        });
        const QImage part = Painted(view, [&](QPainter& painter) {
            map.paint(painter, project, colours, selection, view);
        });
        EXPECT_TRUE(part == whole) << "zoom " << v.zoom;
    }
}

TEST(EditorMapPainter, AKeptPictureGivesWayToAChangedSelectionOrProject) {
    Project project = LongRows();
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
    selection.selectedIndex = 1;
    expectAsWhole("selection");
    project.tables.cells[2].y += 300.0;
    expectAsWhole("moved cell");
}

}  // namespace
}  // namespace talvo
