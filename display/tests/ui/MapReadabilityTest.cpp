// The playback picture as a user reads it: lines drawn wherever the map shows, values
// clear of the cell numbers and arrows, street labels where the Editor puts them, sharp on
// a high-density screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <QCoreApplication>
#include <QTest>

#include "UiTestSupport.h"
#include "model/DisplayScene.h"
#include "scene/MapGeometry.h"
#include "ui/DisplayCanvas.h"
#include "ui/GraphicDisplayWindow.h"
#include "ui/PlaybackPicture.h"

namespace talvo::display {
namespace {

using test::Find;

class MapReadability : public ::testing::Test {
  protected:
    test::UiPlatform ui;
    GraphicDisplayWindow window{ui.platform()};

    void open(const test::RunFiles& run, QSize size) {
        window.resize(size);
        window.show();
        ASSERT_TRUE(window.openFiles(run.project.c_str(), run.occupancy.c_str(), run.plan.c_str()));
        QCoreApplication::processEvents();
    }

    std::vector<scene::PaintedText> paintedAt(int step) {
        window.session().seek(step);
        QImage image = RenderPlayback(window.session(), true);
        QPainter painter(&image);
        return PaintPlayback(painter, window.session(), true);
    }

    QPointF pixelOf(scene::Point map) const { return window.canvas()->pixelOf(map); }

    // The occupancy values among the painted texts: those placed within their cells.
    static std::vector<scene::PaintedText> values(const std::vector<scene::PaintedText>& texts) {
        std::vector<scene::PaintedText> found;
        std::copy_if(texts.begin(), texts.end(), std::back_inserter(found),
                     [](const scene::PaintedText& text) { return text.bounded; });
        return found;
    }
};

TEST_F(MapReadability, SignalLinesShowAcrossTheWholeWidthOfAWideWindow) {
    open(test::CorridorRun(), QSize(1400, 560));
    // A right-drag that puts the junction (node 13 at 2200, 3000) in the window's right
    // seventh: the junction lies near the right end of the dragged rectangle.
    const QSize size = window.canvas()->viewport()->size();
    const QPointF node = pixelOf(scene::Point{2200, 3000});
    const double height = size.height() / 3.0;
    const double width = height * size.width() / size.height();
    const QPointF from(node.x() - 0.95 * width, node.y() - height / 2.0);
    const QPointF to(from.x() + width, from.y() + height);
    QWidget* picture = window.canvas()->viewport();
    QTest::mousePress(picture, Qt::RightButton, Qt::NoModifier, from.toPoint());
    QTest::mouseMove(picture, to.toPoint());
    QTest::mouseRelease(picture, Qt::RightButton, Qt::NoModifier, to.toPoint());
    ASSERT_GT(pixelOf(scene::Point{2200, 3000}).x(), size.width() * 6.0 / 7.0);
    ASSERT_LT(pixelOf(scene::Point{2200, 3000}).x(), size.width());
    window.session().seek(10);  // signal 1 green, signal 2 red
    const QImage frame = RenderPlayback(window.session(), true);
    // Link 5 -> 6 reaches the node from the left; link 10 -> 11 runs on below it (above it,
    // the legend covers the map).
    auto colourOn = [&](scene::Point map, QColor colour) {
        const QPoint at = pixelOf(map).toPoint();
        for (int dx = -2; dx <= 2; ++dx) {
            for (int dy = -2; dy <= 2; ++dy) {
                if (frame.pixelColor(at + QPoint(dx, dy)) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(colourOn(scene::Point{2100, 3000}, QColor(0, 255, 0)));
    EXPECT_TRUE(colourOn(scene::Point{2200, 3300}, QColor(255, 0, 0)));
}

TEST_F(MapReadability, OccupancyValuesNeverMeetCellNumbersOrArrows) {
    for (const QSize size : {QSize(700, 420), QSize(1600, 900)}) {
        open(test::ArterialRun(), size);
        for (const bool zoomOne : {false, true}) {
            Find(&window, zoomOne ? "mnuResetZoom" : "mnuFitNetwork")->trigger();
            const std::vector<scene::PaintedText> texts = paintedAt(150);
            for (size_t i = 0; i < texts.size(); ++i) {
                for (size_t j = i + 1; j < texts.size(); ++j) {
                    EXPECT_FALSE(texts[i].box.intersects(texts[j].box))
                        << "\"" << texts[i].text << "\" and \"" << texts[j].text << "\"";
                }
            }
            // Clear of every arrowhead stroke.
            for (const scene::PaintedText& value : values(texts)) {
                const QRectF& box = value.box;
                const scene::Rect pixels{box.left(), box.top(), box.right(), box.bottom()};
                for (const scene::MapLink& link : window.session().network().links) {
                    if (link.path.size() < 2) {
                        continue;
                    }
                    const scene::Point end = link.path.back();
                    const auto strokes = scene::ArrowHeadEnds(link.path[link.path.size() - 2], end,
                                                              scene::kArrowLength);
                    for (const scene::Point tip : {strokes.first, strokes.second}) {
                        const QPointF a = pixelOf(end);
                        const QPointF b = pixelOf(tip);
                        EXPECT_FALSE(scene::ClipSegment(scene::Point{a.x(), a.y()},
                                                        scene::Point{b.x(), b.y()},
                                                        pixels.expanded(-0.5, -0.5)))
                            << value.text << " on the arrow of link " << link.linkID;
                    }
                }
            }
            if (zoomOne) {
                // Cells ten pixels across hold no value at all.
                EXPECT_TRUE(values(texts).empty());
            } else if (size.width() > 1000) {
                // Fitted to a large window, the main road's values fit in its cells.
                EXPECT_GE(values(texts).size(), 10U);
            }
        }
    }
}

TEST_F(MapReadability, StreetLabelsStartAtTheirAnchorAsInTheEditor) {
    open(test::ArterialRun(), QSize(1040, 800));
    Find(&window, "mnuResetZoom")->trigger();
    // "Harbour Road" at (300, 3300): at zoom 1 its text starts 20 pixels in, all of it shown;
    // its box is its backing's, 2 pixels wider at either side.
    for (const scene::PaintedText& text : paintedAt(0)) {
        if (text.text == "Harbour Road") {
            EXPECT_NEAR(text.box.left(), 18.0, 0.5);
            EXPECT_NEAR(text.box.top(), 220.0, 0.5);
            return;
        }
    }
    ADD_FAILURE() << "Harbour Road was not drawn";
}

TEST_F(MapReadability, AHighDensityScreenGetsTwiceThePixels) {
    open(test::ArterialRun(), QSize(800, 500));
    window.session().seek(150);
    const QImage normal = RenderPlayback(window.session(), true, 1.0);
    const QImage sharp = RenderPlayback(window.session(), true, 2.0);
    EXPECT_EQ(sharp.size(), normal.size() * 2);
    // The same picture: cell 8's fill at its centre in both.
    const QPointF centre = pixelOf(scene::Point{3000, 3000}) + QPointF(0.0, -8.0);
    EXPECT_EQ(sharp.pixelColor((centre * 2.0).toPoint()), normal.pixelColor(centre.toPoint()));
}

}  // namespace
}  // namespace talvo::display
