// The Display's pictures drawn off screen at a fixed size and compared with committed
// control images (testing/ControlImage.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "UiTestSupport.h"
#include "model/DisplayScene.h"
#include "model/PlotChart.h"
#include "model/PlotData.h"
#include "testing/ControlImage.h"
#include "ui/PlaybackPicture.h"
#include "ui/PlotChartWidget.h"

namespace talvo::display {
namespace {

void ExpectLooksLike(const QImage& picture, const char* name) {
    talvo::test::ExpectLooksLike(picture, test::DataFile(std::string("control/") + name + ".png"));
}

// The arterial example loaded into a session, fitted to a view of 900 x 480.
class ArterialPictures : public ::testing::Test {
  protected:
    test::RecordingPrompter prompter;
    test::ScriptedChooser chooser;
    DisplaySession session{prompter, chooser};

    void SetUp() override {
        const test::RunFiles run = test::ArterialRun();
        ASSERT_TRUE(session.openFiles(run.project, run.occupancy, run.plan));
        session.view().resize(scene::Size{900, 480});
        FitNetwork(session.view(), session.network(), scene::MeasureWith(scene::SceneFont()));
    }
};

TEST_F(ArterialPictures, TheMapAsTheDisplayDrawsIt) {
    ExpectLooksLike(RenderPlayback(session, true), "arterial_map");
}

TEST_F(ArterialPictures, APlaybackFrame) {
    // Zoomed on the first junction at second 150: shades, signal states and values.
    session.view().zoomToRectangle(session.view().toPixels(scene::Point{900, 2200}),
                                   session.view().toPixels(scene::Point{3300, 3800}));
    session.seek(150);
    ExpectLooksLike(RenderPlayback(session, true), "arterial_playback");
}

TEST_F(ArterialPictures, ATimeSpacePlotOfAPlotGroup) {
    std::ifstream in(test::DataFile("arterial_ctmplot_1.plt"), std::ios::binary);
    const PlotData data = ReadPlotData(in, "ctmplot_1.plt");
    PlotSettings settings;
    settings.title = "Plot of ctmplot_1.plt";
    PlotChartWidget chart;
    chart.setScene(
        BuildPlotChart(data, settings,
                       PlotAxesOf("ctmplot_1.plt", session.model().project.tables.plotGroups, data,
                                  DestinationCellIDs(session.network()))));
    QImage image(1000, 420, QImage::Format_RGB32);
    QPainter painter(&image);
    chart.paint(painter, QSizeF(image.size()));
    painter.end();
    ExpectLooksLike(image, "arterial_plot");
}

// Every text of the chart inside it and clear of every other.
void ExpectTextsReadable(const PlotChartWidget& chart, QSize size, size_t expectedTexts) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const std::vector<scene::PaintedText> texts = chart.paint(painter, QSizeF(size));
    const QRectF inside(QPointF(0, 0), QSizeF(size));
    const double rowLabelsRight =
        scene::StretchTransform(chart.scene().extent, QSizeF(size)).map(QPointF(-200, 0)).x();
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_TRUE(inside.contains(texts[i].box)) << texts[i].text;
        for (size_t j = i + 1; j < texts.size(); ++j) {
            EXPECT_FALSE(texts[i].box.intersects(texts[j].box))
                << texts[i].text << " and " << texts[j].text;
        }
        if (texts[i].text == "Position") {
            EXPECT_LT(texts[i].box.right(), rowLabelsRight);
        }
    }
    EXPECT_GE(texts.size(), expectedTexts);
}

class PlotTexts : public ::testing::Test {
  protected:
    PlotChartWidget chart;

    void SetUp() override {
        std::ifstream in(test::DataFile("corridor_ctmplot_1.plt"), std::ios::binary);
        PlotSettings widest;  // the widest legend: sixteen shades of ten, summed
        widest.nInterval = 16;
        widest.range = 10;
        widest.step = 10;
        widest.title = "Plot of corridor_ctmplot_1.plt";
        chart.setScene(BuildPlotChart(ReadPlotData(in, "corridor.plt"), widest));
    }
};

TEST_F(PlotTexts, CaptionsAndLegendStayInsideTheChartAndClearOfEachOther) {
    // Title, legend heading and 16 labels, both captions, the 7 rows and 3 time numbers.
    ExpectTextsReadable(chart, QSize(1000, 480), 1 + 1 + 16 + 2 + 7 + 3);
    EXPECT_LT(chart.minimumWidth(), 800);
}

TEST_F(PlotTexts, ASqueezedChartKeepsItsTextsReadable) {
    ExpectTextsReadable(chart, chart.minimumSize(), 1 + 1 + 16 + 2);
}

}  // namespace
}  // namespace talvo::display
