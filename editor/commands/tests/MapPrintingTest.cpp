#include "printing/MapPrinting.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QPainter>
#include <QPrinter>

#include "TempDir.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadWhole;
using test::TempDir;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

QImage SamplePicture() {
    QImage picture(1024, 768, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::red);
    painter.drawRect(100, 100, 200, 50);
    return picture;
}

TEST(SavePrintBitmap, WritesTalvoBmpInTheProgramDirectoryReplacingAnOldOne) {
    TempDir temp;
    test::WriteWhole(temp.path() / "talvo.bmp", "old");
    ASSERT_FALSE(SavePrintBitmap(SamplePicture(), Q(temp.path())).has_value());
    QImageReader reader(Q(temp.path() / "talvo.bmp"));
    EXPECT_EQ(reader.format(), "bmp");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(1024, 768));
    EXPECT_EQ(back.pixelColor(100, 120), QColor(Qt::red));
}

TEST(SavePrintBitmap, ReportsAProgramDirectoryItCannotWriteTo) {
    TempDir temp;
    const auto error = SavePrintBitmap(SamplePicture(), Q(temp.path() / "missing"));
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("talvo.bmp' cannot be saved: "), std::string::npos) << *error;
}

TEST(SaveMapPicture, WritesAPngFile) {
    TempDir temp;
    ASSERT_FALSE(SaveMapPicture(SamplePicture(), Q(temp.path() / "map.png")).has_value());
    EXPECT_EQ(ReadWhole(temp.path() / "map.png").substr(1, 3), "PNG");
}

TEST(PrintPicture, PrintsToAPdfFile) {
    TempDir temp;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Q(temp.path() / "map.pdf"));
    ASSERT_FALSE(PrintPicture(SamplePicture(), printer).has_value());
    const std::string pdf = ReadWhole(temp.path() / "map.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_GT(pdf.size(), 1000u);
}

}  // namespace
}  // namespace talvo
