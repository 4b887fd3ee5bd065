#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "WindowFixture.h"
#include "core/MapGeometry.h"

namespace talvo::test {
namespace {

// The corridor project at zoom 1 without scrolling: a map point (x, y) lies at pixel
// (x / 15, y / 15). Colours are looked up in a small neighbourhood, since a line may
// fall on either of two pixels.
class ScreenshotTest : public ::testing::Test {
  protected:
    ScreenshotTest() {
        const std::string path = std::string(TALVO_APP_TEST_DATA) + "/corridor.tin";
        EXPECT_TRUE(f.window.OpenProjectFile(path, ProjectLayout::Current));
    }
    QImage Grab() {
        QImage image = f.canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
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

TEST_F(ScreenshotTest, KnownPixelsOfTheCorridor) {
    const QImage image = Grab();
    ASSERT_EQ(image.width(), 945);
    ASSERT_EQ(image.height(), 387);
    const QColor green(0, 255, 0), blue(0, 0, 255), nodeFill(128, 200, 0), white(Qt::white);
    // Cell 1 at (600, 3000): half-length 75, half-width 200; left side at x = 525.
    EXPECT_TRUE(Near(image, 35, 195, green));
    EXPECT_TRUE(Near(image, 40, 187, green));  // top side at y = 2800
    EXPECT_FALSE(Near(image, 30, 195, green, 2));
    // Link 1 -> 2 from x = 675 to 825 at y = 3000.
    EXPECT_TRUE(Near(image, 50, 200, blue));
    EXPECT_FALSE(Near(image, 47, 194, blue, 1));
    // Its arrowhead: strokes back from (825, 3000) towards (754, 2929) and (754, 3071).
    EXPECT_TRUE(Near(image, 52, 197, blue));
    EXPECT_TRUE(Near(image, 52, 203, blue));
    // Node 9 at (1350, 3000), radius 200: filled.
    EXPECT_EQ(image.pixelColor(83, 193), nodeFill);
    EXPECT_EQ(image.pixelColor(97, 207), nodeFill);
    EXPECT_EQ(image.pixelColor(90, 220), white);
    // Street label "Main St" anchored at (600, 2750) in black.
    bool text = false;
    for (int x = 40; x < 80; ++x) {
        for (int y = 183; y < 196; ++y) {
            text |= image.pixelColor(x, y) == QColor(Qt::black);
        }
    }
    EXPECT_TRUE(text);
}

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
    f.window.findChild<QScrollBar*>("hsbMap")->setValue(150);
    EXPECT_EQ(f.window.view().horizontal().value, 150);
    const QImage image = Grab();
    EXPECT_TRUE(Near(image, 25, 195, QColor(0, 255, 0)));
}

TEST(ArterialScreenshot, TheExampleProjectDrawsEveryKindOfObject) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_APP_TEST_DATA) + "/arterial.tin",
                                         ProjectLayout::Current));
    const QImage image = f.canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int cellPixels = 0;
    int linkPixels = 0;
    int nodePixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            cellPixels += c == QColor(0, 255, 0);
            linkPixels += c == QColor(0, 0, 255);
            nodePixels += c == QColor(128, 200, 0);
        }
    }
    // 28 cells of at least 10 x 13 pixels outline, links between them, two nodes of
    // radius 13 pixels.
    EXPECT_GT(cellPixels, 28 * 30);
    EXPECT_GT(linkPixels, 100);
    EXPECT_GT(nodePixels, 2 * 300);
    // Cell 1 at (600, 3000) as in the corridor: its left side.
    EXPECT_EQ(image.pixelColor(35, 200), QColor(0, 255, 0));
}

// What the example shows must be readable: no node circle over a cell, no street label
// over a cell, a node or another label.
TEST(ArterialScreenshot, NothingOfTheExampleHidesAnotherObject) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_APP_TEST_DATA) + "/arterial.tin",
                                         ProjectLayout::Current));
    const Project& p = f.project();
    auto overlap = [](const MapRect& a, const MapRect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    std::vector<MapRect> cells;
    for (const CellRecord& cell : p.tables.cells) {
        cells.push_back(RectOf(cell, p.params));
    }
    std::vector<MapRect> nodes;
    for (const NodeRecord& node : p.tables.nodes) {
        nodes.push_back({node.x - 200, node.y - 200, node.x + 200, node.y + 200});
    }
    std::vector<MapRect> labels;
    for (const StreetRecord& street : p.tables.streets) {
        const auto [w, h] = f.canvas->MeasureText(street.streetName);
        labels.push_back({street.x, street.y, street.x + w, street.y + h});
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
        for (const MapRect& node : nodes) {
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
