// The editor's map of the arterial example drawn off screen at a fixed size and compared with
// its committed control image (testing/ControlImage.h): the look of cells with their kinds,
// links, nodes, labels and a selection, as the whole picture shows them.
#include <gtest/gtest.h>

#include "MapPicture.h"
#include "common/ProjectReader.h"
#include "testing/ControlImage.h"

namespace talvo::test {
namespace {

TEST(EditorPictures, TheArterialMapAsTheEditorDrawsIt) {
    const ProjectReadResult read =
        ReadProject(std::string(TALVO_APP_TEST_DATA) + "/arterial.tin", ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    scene::Viewport view;
    view.resize(scene::Size{900, 480});
    FitEditorMap(view, read.project);
    // The link from cell 4 through node 19, selected: red under the node drawn again.
    SelectionState selection;
    selection.selectedKind = SelectedKind::Link;
    for (size_t i = 0; i < read.project.tables.links.size(); ++i) {
        if (read.project.tables.links[i].passNode != 0) {
            selection.selectedID = read.project.tables.links[i].linkID;
            break;
        }
    }
    ASSERT_NE(selection.selectedID, 0);
    ExpectLooksLike(RenderEditorMap(read.project, ColourScheme{}, selection, view),
                    std::string(TALVO_APP_TEST_DATA) + "/control/arterial_editor_map.png");
}

}  // namespace
}  // namespace talvo::test
