#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "core/ColourScheme.h"

namespace talvo {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ColourScheme, DefaultsAreWrittenAsTheirIntegers) {
    EXPECT_EQ(FormatColourScheme(ColourScheme{}), "65280,16711680,51328,0,255");
}

TEST(ColourScheme, MissingFileGivesDefaults) {
    QTemporaryDir dir;
    EXPECT_EQ(ReadColourScheme((dir.path() + "/conf.txt").toStdString()), ColourScheme{});
}

TEST(ColourScheme, RoundTripsThroughTheFile) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/conf.txt").toStdString();
    const ColourScheme scheme{Rgb(1, 2, 3), Rgb(10, 20, 30), Rgb(255, 255, 0), Rgb(9, 9, 9),
                              Rgb(0, 128, 255)};
    ASSERT_TRUE(WriteColourScheme(path, scheme));
    EXPECT_EQ(Slurp(path), "197121,1971210,65535,592137,16744448\r\n");
    EXPECT_EQ(ReadColourScheme(path), scheme);
}

TEST(ColourScheme, ByteOrderMarkBeforeTheColoursIsSkipped) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/conf.txt").toStdString();
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" << "1,2,3,4,5\r\n";
    EXPECT_EQ(ReadColourScheme(path), (ColourScheme{1, 2, 3, 4, 5}));
}

TEST(ColourScheme, DamagedFileGivesDefaults) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/conf.txt").toStdString();
    for (const char* text : {"1,2,3,4", "1,2,x,4,5", "1,2,3,4,5,6", "", "-1,2,3,4,5"}) {
        std::ofstream(path) << text << "\n";
        EXPECT_EQ(ReadColourScheme(path), ColourScheme{}) << text;
    }
}

}  // namespace
}  // namespace talvo
