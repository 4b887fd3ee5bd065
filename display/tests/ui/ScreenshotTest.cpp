#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QTest>

#include "UiTestSupport.h"
#include "model/MapGeometry.h"
#include "ui/DisplayCanvas.h"
#include "ui/GraphicDisplayWindow.h"
#include "ui/PlotChartWidget.h"
#include "ui/PlotWindow.h"

namespace talvo::display {
namespace {

using test::DataFile;

// The corridor run played to a step, zoomed on the junction (node 13 at 2200, 3000).
class PlaybackScreenshot : public ::testing::Test {
  protected:
    test::UiPlatform ui;
    GraphicDisplayWindow window{ui.platform()};

    void SetUp() override {
        window.resize(1040, 800);
        window.show();
        ASSERT_TRUE(window.openFiles(DataFile("corridor_run.tin").c_str(),
                                     DataFile("corridor_occu_exist.occ").c_str(),
                                     DataFile("corridor_plan.tpl").c_str()));
        // Right-drag around the junction: map 1500..2900 x 2300..3700 at zoom 1.
        dragZoom(PointD{1500, 2300}, PointD{2900, 3700});
        ASSERT_GT(window.session().view().zoom(), 5.0);
    }

    QPoint pixelOfWindowUnits(PointD point) const {
        return window.canvas()->windowToPixels().map(QPointF(point.x, point.y)).toPoint();
    }
    QPoint pixelOfMap(PointD map) const {
        return pixelOfWindowUnits(window.session().view().toWindow(map));
    }

    void dragZoom(PointD from, PointD to) {
        QWidget* canvas = window.canvas();
        QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, pixelOfWindowUnits(from));
        QTest::mouseMove(canvas, pixelOfWindowUnits(to));
        QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, pixelOfWindowUnits(to));
    }

    QImage frameAt(int step) {
        window.findChild<QAction*>("mnuStart")->trigger();
        while (window.session().playback().step() < step) {
            window.tirRefresh_Timer();
        }
        return window.canvas()->grab().toImage();
    }

    // A point inside a cell near its top-left corner, clear of the centred label.
    QColor cellColour(const QImage& frame, int cellID) const {
        const DisplayModel& model = window.session().model();
        const DisplayCell& cell = model.cells[static_cast<size_t>(model.findCellIndex(cellID))];
        const CellExtent extent = CellExtentOf(cell, model.parameters);
        const QPoint corner =
            pixelOfMap(PointD{extent.centre.x - extent.halfX, extent.centre.y - extent.halfY});
        return frame.pixelColor(corner + QPoint(3, 3));
    }

    // Whether a pixel of that colour lies within a pixel of the point.
    static bool ColourNear(const QImage& frame, QPoint point, QColor colour) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (frame.pixelColor(point + QPoint(dx, dy)) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(PlaybackScreenshot, AnEmptyCellIsWhiteAndAFullCellBlack) {
    const QImage frame = frameAt(50);
    EXPECT_EQ(cellColour(frame, 6), QColor(255, 255, 255));  // 0.00 vehicles
    EXPECT_EQ(cellColour(frame, 5), QColor(0, 0, 0));        // 3.00 of 3 at jam density
    // Cell 11 holds 0.42 of 1.5: 255 - 71.4.
    EXPECT_EQ(cellColour(frame, 11), QColor(184, 184, 184));
}

TEST_F(PlaybackScreenshot, AtStepZeroEveryCellIsWhite) {
    const QImage frame = window.canvas()->grab().toImage();
    EXPECT_EQ(cellColour(frame, 5), QColor(255, 255, 255));
}

TEST_F(PlaybackScreenshot, SignalisedLinksShowTheirSignalState) {
    // Link 5 -> 6 (signal 1) runs from cell 5's right side (1854, 3000) to the node; link
    // 10 -> 11 (signal 2) from cell 10's bottom (2200, 2445) to the node; the node's circle
    // covers 200 units around its centre.
    const QPoint link1 = pixelOfMap(PointD{1930, 3000});
    const QPoint link2 = pixelOfMap(PointD{2200, 2620});
    const QImage green1 = frameAt(10);  // signal 1 green 6..33
    EXPECT_TRUE(ColourNear(green1, link1, QColor(0, 255, 0)));
    EXPECT_TRUE(ColourNear(green1, link2, QColor(255, 0, 0)));  // signal 2 red up to 35
    const QImage amber = frameAt(34);  // signal 1 turns red at 34: amber 34, 35
    EXPECT_TRUE(ColourNear(amber, link1, QColor(255, 255, 0)));
    const QImage red = frameAt(50);
    EXPECT_TRUE(ColourNear(red, link1, QColor(255, 0, 0)));
    EXPECT_TRUE(ColourNear(red, link2, QColor(0, 255, 0)));  // signal 2 green 38..58
}

TEST_F(PlaybackScreenshot, TheNodeRingLeavesTheSignalColourVisibleInsideIt) {
    // Map (2100, 3000) lies on link 5 -> 6 within 200 units of the node (2200, 3000).
    const QPoint insideRing = pixelOfMap(PointD{2100, 3000});
    EXPECT_TRUE(ColourNear(frameAt(10), insideRing, QColor(0, 255, 0)));
    // The ring itself is black: the node's right-hand edge on the link's line.
    const QImage frame = window.canvas()->grab().toImage();
    EXPECT_TRUE(ColourNear(frame, pixelOfMap(PointD{2200, 2800}), QColor(0, 0, 0)));
}

class PlotScreenshot : public ::testing::Test {
  protected:
    test::UiPlatform ui;
    QWidget owner;
};

TEST_F(PlotScreenshot, DarkestAndLightestBlocksHaveTheirShades) {
    auto* plot = new PlotWindow(ui.platform(), DataFile("corridor_ctmplot_1.plt").c_str(), &owner);
    ASSERT_TRUE(plot->readPlotFile());
    plot->resize(1200, 500);
    plot->show();
    const QImage image = plot->picture();
    const QTransform toPixels = plot->chart()->chartToPixels();
    const std::vector<PlotBlock> blocks = PlotBlocks(plot->data(), PlotSettings{});
    const auto [lightest, darkest] =
        std::minmax_element(blocks.begin(), blocks.end(),
                            [](const PlotBlock& a, const PlotBlock& b) { return a.sum < b.sum; });
    auto centre = [&](const PlotBlock& block) {
        return toPixels
            .map(QPointF((block.box.left + block.box.right) / 2,
                         (block.box.top + block.box.bottom) / 2))
            .toPoint();
    };
    EXPECT_EQ(lightest->sum, 0.0);
    EXPECT_EQ(image.pixelColor(centre(*lightest)), QColor(255, 250, 250));
    EXPECT_GE(darkest->sum, 10.0);
    EXPECT_EQ(image.pixelColor(centre(*darkest)), QColor(5, 0, 0));
}

// Whether every text of the chart lies inside it, the distance caption left of its ticks
// and the legend labels clear of one another.
void ExpectTextsReadable(const PlotChartWidget& chart, int expectedTexts) {
    const QTransform toPixels = chart.chartToPixels();
    const QFontMetricsF metrics(chart.font());
    const double distanceTicksLeft = toPixels.map(QPointF(-200, 0)).x();
    int texts = 0;
    double previousLegendBottom = -1.0;
    for (const ScenePrimitive& p : chart.scene().primitives) {
        const auto* text = std::get_if<SceneText>(&p);
        if (text == nullptr) {
            continue;
        }
        ++texts;
        const double width = metrics.horizontalAdvance(QString::fromStdString(text->text));
        const QPointF anchor = toPixels.map(QPointF(text->anchor.x, text->anchor.y));
        const double left =
            text->placement == TextPlacement::Centred ? anchor.x() - width / 2.0 : anchor.x();
        const double top = anchor.y() - metrics.height() / 2.0;
        EXPECT_GE(left, 0.0) << text->text;
        EXPECT_LE(left + width, chart.width()) << text->text;
        EXPECT_GE(top, 0.0) << text->text;
        EXPECT_LE(top + metrics.height(), chart.height()) << text->text;
        if (text->text == "Distance (m)") {
            EXPECT_LT(left + width, distanceTicksLeft);
        }
        if (text->placement == TextPlacement::RightOf) {
            EXPECT_GE(top, previousLegendBottom) << text->text;
            previousLegendBottom = top + metrics.height();
        }
    }
    EXPECT_EQ(texts, expectedTexts);
}

TEST_F(PlotScreenshot, CaptionsAndLegendStayInsideTheWindowAndClearOfTheTicks) {
    auto* plot = new PlotWindow(ui.platform(), DataFile("corridor_ctmplot_1.plt").c_str(), &owner);
    ASSERT_TRUE(plot->readPlotFile());
    // The widest legend: sixteen shades of ten.
    plot->setNInterval(16);
    plot->setRange(10);
    plot->resize(1000, 480);
    plot->show();
    plot->PlotChart();
    ExpectTextsReadable(*plot->chart(), 16 + 3);
}

TEST_F(PlotScreenshot, ASqueezedPlotWindowKeepsItsTextsReadable) {
    auto* plot = new PlotWindow(ui.platform(), DataFile("corridor_ctmplot_1.plt").c_str(), &owner);
    ASSERT_TRUE(plot->readPlotFile());
    plot->setNInterval(16);
    plot->setRange(10);
    plot->show();
    plot->resize(300, 150);
    plot->PlotChart();
    ExpectTextsReadable(*plot->chart(), 16 + 3);
}

}  // namespace
}  // namespace talvo::display
