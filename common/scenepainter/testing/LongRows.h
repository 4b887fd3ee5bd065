#pragma once
// A map test network shared by both programs' map tests.

#include <vector>

#include "common/ProjectRecords.h"
#include "scene/Viewport.h"

namespace talvo::scene::testing {

// Two long crossing rows of cells with IDs, links, a node and street labels, much larger
// than the view, so that a zoomed view draws only a part of them.
inline Project LongRows() {
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

// 400 x 300 views of it: zoomed in on the node, on a stretch of plain cells, and far out
// over everything.
inline std::vector<Viewport> LongRowsViews() {
    struct View {
        double zoom;
        Point origin;
    };
    std::vector<Viewport> views;
    for (const View& v : {View{2.0, {2600, 1700}}, View{1.0, {20000, 1000}}, View{0.3, {0, 0}}}) {
        Viewport& view = views.emplace_back();
        view.resize(Size{400, 300});
        view.zoomAbout(Point{}, v.zoom);
        view.setOrigin(v.origin);
    }
    return views;
}

}  // namespace talvo::scene::testing
