#include "platform/PicturePrinting.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>

#include "platform/RecordingPrompter.h"

namespace talvo {
namespace {

TEST(PicturePrinting, APrinterThatCannotBeBegunIsReportedNotPassedOver) {
    const QTemporaryDir temp;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const struct {
        QString output;
        bool printed;
    } cases[] = {
        {temp.filePath("picture.pdf"), true},
        {temp.filePath("missing/picture.pdf"), false},
    };
    for (const auto& c : cases) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(c.output);
        test::RecordingPrompter prompter;
        EXPECT_EQ(PrintPicture(picture, printer, prompter), c.printed) << c.output.toStdString();
        EXPECT_EQ(prompter.cautions, c.printed ? std::vector<std::string>{}
                                               : std::vector<std::string>{kPrinterUnusable});
    }
    EXPECT_GT(QFileInfo(temp.filePath("picture.pdf")).size(), 0);
}

}  // namespace
}  // namespace talvo
