// A whole editing session through the tools and the model: every kind of edit is one step
// of the history, undo walks back to the start and redo forward to the end, and the saved
// project is byte for byte the one of each step on the way.
#include <gtest/gtest.h>

#include <functional>

#include "TestSupport.h"
#include "UnitView.h"
#include "core/EditorModel.h"
#include "core/MapEditor.h"
#include "model/ProjectWriter.h"

namespace talvo {
namespace {

using test::DataPath;
using test::ReadText;
using test::TempDir;

struct Session {
    EditorModel model;
    scene::Viewport view = test::UnitView();
    MapEditor tools{model, view};

    // A pointer position is its map point.
    void Press(double x, double y) {
        tools.PressLeft(x, y);
        tools.ReleaseLeft(x, y);
    }
    void Drag(double x0, double y0, double x1, double y1) {
        tools.PressLeft(x0, y0);
        for (int i = 1; i <= 4; ++i) {
            tools.MovePointer(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
            tools.DragTick();
        }
        tools.ReleaseLeft(x1, y1);
    }
};

void Ok(const EditResult& result) {
    ASSERT_TRUE(result.ok()) << result.message();
}

struct Step {
    const char* name;
    std::function<void(Session&)> run;
};

const std::vector<Step>& Steps() {
    static const std::vector<Step> steps = {
        {"cell tool",
         [](Session& s) {
             s.tools.SetTool(Tool::Cell);
             s.Press(1500, 1500);
         }},
        {"second cell", [](Session& s) { s.Press(2400, 1500); }},
        {"third cell", [](Session& s) { s.Press(3500, 1500); }},
        {"fourth cell", [](Session& s) { s.Press(2400, 2400); }},
        {"node tool",
         [](Session& s) {
             s.tools.SetTool(Tool::Node);
             s.Press(2850, 1500);
         }},
        {"link tool",
         [](Session& s) {
             s.tools.SetTool(Tool::Link);
             s.Press(1500, 1500);
             s.Press(2400, 1500);
         }},
        {"second link",
         [](Session& s) {
             s.Press(2400, 1500);
             s.Press(3500, 1500);
         }},
        {"third link",
         [](Session& s) {
             s.Press(2400, 1500);
             s.Press(2400, 2400);
         }},
        {"drag",
         [](Session& s) {
             s.tools.SetTool(Tool::Arrow);
             s.Drag(2400, 2400, 2700, 2900);
         }},
        {"speed", [](Session& s) { Ok(s.model.SetCellValue(1, CellField::Speed, 80)); }},
        {"lanes", [](Session& s) { Ok(s.model.SetCellValue(2, CellField::LaneNum, 2)); }},
        {"orientation",
         [](Session& s) { Ok(s.model.SetCellValue(4, CellField::Orientation, kVertical)); }},
        {"own occupancy",
         [](Session& s) { Ok(s.model.SetCellValue(3, CellField::OwnOccupancy, 1)); }},
        {"initial cars",
         [](Session& s) { Ok(s.model.SetCellValue(3, CellField::InitialCarNum, 40)); }},
        {"capacity factor",
         [](Session& s) { Ok(s.model.SetCellValue(2, CellField::CapacityFactor, 0.8)); }},
        {"capacity", [](Session& s) { Ok(s.model.SetCellValue(3, CellField::Capacity, 0.9)); }},
        {"dummy", [](Session& s) { Ok(s.model.SetCellValue(4, CellField::Dummy, 1)); }},
        {"signal", [](Session& s) { Ok(s.model.SetCellSignal(2, 7)); }},
        {"pass node", [](Session& s) { Ok(s.model.SetLinkPassNode(2, 5)); }},
        {"merge divert", [](Session& s) { Ok(s.model.SetLinkMergeDivert(2, 0.6)); }},
        {"stage count", [](Session& s) { Ok(s.model.SetStageCount(5, 2)); }},
        {"stage time", [](Session& s) { Ok(s.model.SetStageTime(5, 0, 30)); }},
        {"stage optimisation", [](Session& s) { Ok(s.model.SetStageOptimize(5, 1, true)); }},
        {"offset", [](Session& s) { Ok(s.model.SetNodeOffset(5, 5)); }},
        {"stage movement", [](Session& s) { Ok(s.model.AddStageMove(5, 0, 7)); }},
        {"origin demand",
         [](Session& s) {
             Ok(s.model.SetCellIntervals(1, {{900, 0, 300}, {450, 301, 900}}));
         }},
        {"parameters",
         [](Session& s) {
             GlobalParameters p = s.model.params();
             p.endStep = 900;
             p.controlStrategy = 2;
             Ok(s.model.SetParameters(p, "Simulation Parameters"));
         }},
        {"street group",
         [](Session& s) {
             NetworkTables groups = s.model.tables();
             groups.streets.push_back({"Main St", 0, 0, {1, 2, 3}});
             Ok(s.model.SetGroups(groups, "Add Street"));
         }},
        {"rubber band and space",
         [](Session& s) {
             s.Drag(1200, 1200, 3600, 1800);
             s.tools.Space(true);
         }},
        {"align", [](Session& s) { s.tools.Align(false); }},
        {"delete stage", [](Session& s) { Ok(s.model.DeleteStage(5, 1)); }},
        {"remove stage movement", [](Session& s) { Ok(s.model.RemoveStageMove(5, 0, 0)); }},
        {"delete link",
         [](Session& s) {
             // Select the link 2 -> 4 at the middle of its line, then delete it.
             const auto path = scene::MapNetworkOf(s.model.project()).links[2].path;
             s.Press((path[0].x + path[1].x) / 2, (path[0].y + path[1].y) / 2);
             ASSERT_EQ(s.tools.selection().selectedKind, SelectedKind::Link);
             s.tools.DeleteSelected();
         }},
    };
    return steps;
}

// On an opened project, whose history starts at the open.
const std::vector<Step>& OpenedSteps() {
    static const std::vector<Step> steps = {
        {"drag a node", [](Session& s) { s.Drag(1650, 3000, 1950, 3200); }},
        {"drag a cell", [](Session& s) { s.Drag(600, 3000, 700, 4000); }},
        {"add a cell",
         [](Session& s) {
             s.tools.SetTool(Tool::Cell);
             s.Press(9000, 4000);
         }},
        {"delete it",
         [](Session& s) {
             s.tools.SetTool(Tool::Arrow);
             s.Press(9000, 4000);
             s.tools.DeleteSelected();
         }},
    };
    return steps;
}

// Runs the steps, saving after savedStep of them, then undoes every one and redoes them.
void UndoAndRedoEveryStep(Session& s, const std::vector<Step>& steps, int savedStep) {
    TempDir dir;
    auto saved = [&] {
        const std::string path = dir.file("step.tin");
        EXPECT_TRUE(SaveProject(path, s.model.project()).ok());
        return ReadText(path);
    };
    std::vector<std::string> projects = {saved()};
    for (const Step& step : steps) {
        step.run(s);
        ASSERT_EQ(s.model.history().index(), static_cast<int>(projects.size())) << step.name;
        projects.push_back(saved());
        ASSERT_NE(projects.back(), projects[projects.size() - 2]) << step.name;
        if (projects.size() - 1 == static_cast<size_t>(savedStep)) {
            ASSERT_TRUE(s.model.SaveProject(dir.file("saved.tin")).ok());
        }
    }
    const int last = static_cast<int>(projects.size()) - 1;
    ASSERT_EQ(ReadText(dir.file("saved.tin")), projects[savedStep]);
    for (int k = last - 1; k >= 0; --k) {
        s.model.Undo();
        ASSERT_EQ(saved(), projects[k]) << "undone to before " << steps[k].name;
        EXPECT_EQ(s.model.isModified(), k != savedStep) << k;
    }
    EXPECT_FALSE(s.model.history().canUndo());
    for (int k = 1; k <= last; ++k) {
        s.model.Redo();
        ASSERT_EQ(saved(), projects[k]) << "redone " << steps[k - 1].name;
        EXPECT_EQ(s.model.isModified(), k != savedStep) << k;
    }
    EXPECT_FALSE(s.model.history().canRedo());
}

TEST(EditingSession, UndoToTheStartAndRedoToTheEndGiveEveryStepsProjectAgain) {
    Session s;
    ASSERT_GE(Steps().size(), 30u);
    UndoAndRedoEveryStep(s, Steps(), 30);
}

TEST(EditingSession, AnOpenedProjectsHistoryStartsAtTheOpen) {
    Session s;
    Ok(s.model.AddCell(100, 100));
    Ok(s.model.OpenProject(DataPath("corridor.tin"), ProjectLayout::Current));
    UndoAndRedoEveryStep(s, OpenedSteps(), 2);
}

}  // namespace
}  // namespace talvo
