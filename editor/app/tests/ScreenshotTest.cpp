#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "WindowFixture.h"
#include "scene/MapScene.h"
#include "scenepainter/ScenePainter.h"

namespace talvo::test {
namespace {

// The corridor project at zoom 1 without scrolling: a map point (x, y) lies at pixel
// (x / 15, y / 15). Colours are looked up in a small neighbourhood, since a line may
// fall on either of two pixels. How the whole map looks is the control image's business
// (MapControlImageTest); these follow what changes it.
class ScreenshotTest : public ::testing::Test {
  protected:
    ScreenshotTest() {
        const std::string path = std::string(TALVO_APP_TEST_DATA) + "/corridor.tin";
        EXPECT_TRUE(f.window.OpenProjectFile(path, ProjectLayout::Current));
    }
    QImage Grab() {
        QImage image = f.canvas->frame().convertToFormat(QImage::Format_RGB32);
        if (const QByteArray dir = qgetenv("TALVO_SCREENSHOT_DIR"); !dir.isEmpty()) {
            image.save(QString::fromLocal8Bit(dir) + "/corridor.png");
            f.window.grab().save(QString::fromLocal8Bit(dir) + "/window.png");
        }
        return image;
    }
    static bool Near(const QImage& image, int x, int y, QColor colour, int radius = 1) {
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (image.pixelColor(x + dx, y + dy) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
    WindowFixture f;
};

TEST_F(ScreenshotTest, SelectedCellIsRed) {
    f.Click(600, 3000);
    ASSERT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Cell);
    const QImage image = Grab();
    EXPECT_TRUE(Near(image, 35, 195, QColor(255, 0, 0)));
    EXPECT_FALSE(Near(image, 35, 195, QColor(0, 255, 0)));
    // Its neighbour keeps the cell colour.
    EXPECT_TRUE(Near(image, 55, 195, QColor(0, 255, 0)));
}

TEST_F(ScreenshotTest, NewColoursShowAtOnce) {
    f.dialogs.colours = {Rgb(10, 20, 30), Rgb(200, 0, 200)};
    f.window.runDialog = [](QDialog& d) {
        d.findChild<QPushButton*>("cmdCell")->click();
        d.findChild<QPushButton*>("cmdLine")->click();
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    f.Trigger("mnuSetColor");
    const QImage image = Grab();
    EXPECT_TRUE(Near(image, 35, 195, QColor(10, 20, 30)));
    EXPECT_TRUE(Near(image, 50, 200, QColor(200, 0, 200)));
}

TEST_F(ScreenshotTest, ScrollingMovesTheMap) {
    EXPECT_FALSE(Near(Grab(), 25, 195, QColor(0, 255, 0)));
    auto* bar = f.window.findChild<QScrollBar*>("hsbMap");
    bar->setValue(bar->value() + 10);
    EXPECT_DOUBLE_EQ(f.window.view().origin().x, 150);
    const QImage image = Grab();
    EXPECT_TRUE(Near(image, 25, 195, QColor(0, 255, 0)));
}

// What the example shows must be readable: no node circle over a cell, no street label
// over a cell, a node or another label.
TEST(ArterialScreenshot, NothingOfTheExampleHidesAnotherObject) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_APP_TEST_DATA) + "/arterial.tin",
                                         ProjectLayout::Current));
    const Project& p = f.project();
    const scene::MapNetwork network = scene::MapNetworkOf(p);
    const scene::TextMeasure measure = scene::MeasureWith(scene::SceneFont());
    auto overlap = [](const scene::Rect& a, const scene::Rect& b) { return a.intersects(b); };
    std::vector<scene::Rect> cells;
    for (const scene::MapCell& cell : network.cells) {
        cells.push_back(cell.rect);
    }
    std::vector<scene::Rect> nodes;
    for (const scene::MapNode& node : network.nodes) {
        nodes.push_back(scene::Rect::Around(node.centre, 200, 200));
    }
    std::vector<scene::Rect> labels;
    for (const scene::MapLabel& label : network.labels) {
        labels.push_back(scene::StreetLabelBox(label, measure));
    }
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            EXPECT_FALSE(overlap(nodes[n], cells[c]))
                << "node " << p.tables.nodes[n].nodeID << " covers cell "
                << p.tables.cells[c].cellID;
        }
    }
    for (std::size_t l = 0; l < labels.size(); ++l) {
        const std::string& name = p.tables.streets[l].streetName;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            EXPECT_FALSE(overlap(labels[l], cells[c]))
                << name << " covers cell " << p.tables.cells[c].cellID;
        }
        for (const scene::Rect& node : nodes) {
            EXPECT_FALSE(overlap(labels[l], node)) << name << " covers a node";
        }
        for (std::size_t o = l + 1; o < labels.size(); ++o) {
            EXPECT_FALSE(overlap(labels[l], labels[o]))
                << name << " covers " << p.tables.streets[o].streetName;
        }
    }
}

}  // namespace
}  // namespace talvo::test
