#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "scenepainter/ScenePainter.h"

namespace talvo::scene {
namespace {

struct Picture {
    QImage image{200, 100, QImage::Format_RGB32};
    std::vector<PaintedText> texts;

    explicit Picture(const Scene& scene, const QTransform& world = QTransform()) {
        QPainter painter(&image);
        texts = PaintScene(painter, scene, world, QRectF(0, 0, 200, 100), SceneFont());
    }
};

TEST(ScenePainter, ATextThatGivesWayTriesItsAlternativesOrStaysOut) {
    Scene scene;
    scene.world.add(Text{Point{100, 50}, "8", kBlack});
    Text value{Point{100, 50}, "0.39", kBlack};
    value.givesWay = true;
    value.alternatives.push_back(Placement{Point{100, 50}, Align::Top, Point{0, 10}});
    scene.world.add(value);
    Text crowded{Point{100, 50}, "gone", kBlack};
    crowded.givesWay = true;
    crowded.within = Rect{0, 0, 20, 20};  // and too small a box besides
    scene.world.add(crowded);
    const Picture picture(scene);
    ASSERT_EQ(picture.texts.size(), 2U);
    EXPECT_EQ(picture.texts[1].text, "0.39");
    EXPECT_NEAR(picture.texts[1].box.top(), 60.0, 1e-9);
    EXPECT_FALSE(picture.texts[0].box.intersects(picture.texts[1].box));
}

TEST(ScenePainter, AValueFitsOrGivesWayAsItsWidestFormWould) {
    // A box that holds "1" but not "00.00": the value stays out, as its widest form would.
    const Rect cell{90, 40, 110, 60};
    for (const std::string& widest : {std::string(), std::string("00.00")}) {
        Scene scene;
        Text value{Point{100, 50}, "1", kBlack};
        value.givesWay = true;
        value.within = cell;
        value.fitsAs = widest;
        scene.world.add(value);
        EXPECT_EQ(Picture(scene).texts.size(), widest.empty() ? 1U : 0U) << widest;
    }
}

TEST(ScenePainter, LinesReachingFarOutsideAreDrawnWhereTheyShow) {
    Scene scene;
    scene.background = kWhite;
    // Map units at zoom 16: the line's ends lie tens of thousands of pixels away.
    scene.world.add(Line{Point{-30000, 45}, Point{90000, 45}, Stroke{Colour{255, 0, 0}, 3}});
    const Picture picture(scene, QTransform::fromScale(16.0 / 15.0, 16.0 / 15.0));
    for (const int x : {1, 100, 198}) {
        EXPECT_EQ(picture.image.pixelColor(x, 48), QColor(255, 0, 0)) << x;
    }
}

}  // namespace
}  // namespace talvo::scene

int main(int argc, char** argv) {
    // Off screen unless told otherwise: the pictures are drawn into images.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
