// The map behaves like one: the wheel zooms about the pointer, "Fit network" shows the whole
// network and keeps it so as the window grows, the middle button pans with the scroll bars
// following, pictures are drawn at the screen's pixel ratio, a scale bar of cell lengths
// follows the zoom, and the status bar tells the tool, the pointer's map point, the zoom and
// the selected object.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWheelEvent>

#include "MapPicture.h"
#include "WindowFixture.h"
#include "scene/MapScene.h"
#include "scenepainter/ScaleBarPainter.h"
#include "scenepainter/ScenePainter.h"

namespace talvo::test {
namespace {

class MapBehaviour : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_APP_TEST_DATA) + "/arterial.tin",
                                             ProjectLayout::Current));
    }
    void Wheel(QPoint at, int notches) {
        QWheelEvent wheel(QPointF(at), QPointF(f.picture->mapToGlobal(at)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(f.picture, &wheel);
    }
    double Zoom() { return f.window.view().zoom(); }
    QString Status(const char* label) { return f.window.findChild<QLabel*>(label)->text(); }

    WindowFixture f;
};

TEST_F(MapBehaviour, TheWheelZoomsAboutThePointerFromATenthToSixteen) {
    const QPoint at = f.Pixel(4500, 3000);
    Wheel(at, 1);
    EXPECT_DOUBLE_EQ(Zoom(), 1.25);
    EXPECT_LE((f.canvas->pixelOf({4500, 3000}) - QPointF(at)).manhattanLength(), 1.0);
    Wheel(at, 30);
    EXPECT_DOUBLE_EQ(Zoom(), 16.0);
    EXPECT_LE((f.canvas->pixelOf({4500, 3000}) - QPointF(at)).manhattanLength(), 1.0);
    Wheel(at, -60);
    EXPECT_DOUBLE_EQ(Zoom(), 0.1);
}

TEST_F(MapBehaviour, FitNetworkShowsTheWholeNetworkAndFollowsTheWindow) {
    QAction* fit = f.Action("mnuFitNetwork");
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->shortcut(), QKeySequence(Qt::Key_F));
    fit->trigger();
    const double fitted = Zoom();
    EXPECT_GT(fitted, 1.5);
    const QRectF picture(f.picture->rect());
    const auto bounds =
        scene::MapNetworkOf(f.project()).bounds(scene::MeasureWith(scene::SceneFont()));
    ASSERT_TRUE(bounds.has_value());
    EXPECT_TRUE(picture.contains(f.canvas->pixelOf({bounds->left, bounds->top})));
    EXPECT_TRUE(picture.contains(f.canvas->pixelOf({bounds->right, bounds->bottom})));
    f.window.resize(1900, 1050);
    QApplication::processEvents();
    EXPECT_GT(Zoom(), fitted);
    // Zoomed by hand, the view stays as it is when the window changes.
    Wheel(f.Pixel(4500, 3000), -1);
    const double chosen = Zoom();
    f.window.resize(1500, 900);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(Zoom(), chosen);
}

TEST_F(MapBehaviour, TheMiddleButtonDragsTheMapAndTheScrollBarsFollow) {
    f.Trigger("mnuZoomIn");  // 1.5: the map reaches beyond the picture
    auto* bar = f.window.findChild<QScrollBar*>("hsbMap");
    const int before = bar->value();
    const scene::Point origin = f.window.view().origin();
    QTest::mousePress(f.picture, Qt::MiddleButton, {}, f.Pixel(600, 3000));
    QTest::mouseMove(f.picture, f.Pixel(600, 3000) - QPoint(100, 40));
    QTest::mouseRelease(f.picture, Qt::MiddleButton, {}, f.Pixel(600, 3000) - QPoint(100, 40));
    EXPECT_DOUBLE_EQ(f.window.view().origin().x, origin.x + 100 * 15 / 1.5);
    EXPECT_DOUBLE_EQ(f.window.view().origin().y, origin.y + 40 * 15 / 1.5);
    EXPECT_EQ(bar->value(), before + 100);
    // Nothing was picked or moved on the way.
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::None);
    EXPECT_FALSE(f.window.model().isModified());
}

TEST_F(MapBehaviour, PicturesAreDrawnAtTheScreensPixelRatio) {
    const scene::Viewport& view = f.window.view();
    const QImage sharp =
        RenderEditorMap(f.project(), f.window.colours(), f.window.editor().selection(), view, 2.0);
    EXPECT_EQ(sharp.size(), QSize(2 * f.picture->width(), 2 * f.picture->height()));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(f.canvas->frame().size(), f.picture->size() * f.canvas->devicePixelRatioF());
}

TEST_F(MapBehaviour, TheScaleBarOfCellLengthsIsDrawnInTheCornerAndFollowsTheZoom) {
    // Black along the bar's whole length, just above its baseline, on the widget as shown.
    auto barDrawn = [this](const scene::ScaleBar& bar) {
        const QImage shown = f.picture->grab().toImage();
        const QRectF box = scene::ScaleBarBox(bar, QRectF(f.picture->rect()));
        const int row = static_cast<int>(box.bottom()) - 5;
        for (int x = static_cast<int>(box.left()) + 6; x < box.left() + 2 + bar.pixels; ++x) {
            if (shown.pixelColor(x, row) != QColor(0, 0, 0)) {
                return false;
            }
        }
        return true;
    };
    const auto near = scene::ScaleBarOf(f.window.view(), f.project().params.cellScaleX,
                                        f.project().params.timeStep);
    ASSERT_TRUE(near);
    EXPECT_TRUE(barDrawn(*near));
    Wheel(QPoint(100, 100), 8);
    const auto closer = scene::ScaleBarOf(f.window.view(), f.project().params.cellScaleX,
                                          f.project().params.timeStep);
    ASSERT_TRUE(closer);
    EXPECT_LT(closer->metres, near->metres);
    EXPECT_TRUE(barDrawn(*closer));
}

TEST_F(MapBehaviour, TheStatusBarTellsToolPointerZoomAndSelection) {
    EXPECT_EQ(Status("lblTool"), "Tool: Arrow");
    EXPECT_EQ(Status("lblZoom"), "Zoom 1.00");
    QTest::mouseMove(f.picture, f.Pixel(600, 3000));
    EXPECT_EQ(Status("lblPointer"), "x 600  y 3000");
    f.Click(600, 3000);
    EXPECT_EQ(Status("lblSelection"), "Cell 1");
    f.Trigger("mnuLink");
    EXPECT_EQ(Status("lblSelection"), "");
    f.Click(600, 3000);
    EXPECT_EQ(Status("lblTool"), "Tool: Link from cell 1");
    f.Trigger("mnuZoomIn");
    EXPECT_EQ(Status("lblZoom"), "Zoom 1.50");
}

}  // namespace
}  // namespace talvo::test
