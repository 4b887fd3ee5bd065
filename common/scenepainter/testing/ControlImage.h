#pragma once
// Pictures compared with committed control images within a small per-channel tolerance. With
// TALVO_UPDATE_CONTROL_IMAGES set (scripts/update-control-images.sh) the picture is written as
// the new control image instead; a failing comparison leaves the picture and a difference
// image in the temporary folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

namespace talvo::test {

// The largest difference of a colour channel that still counts as the same pixel: text
// edges may shift a shade between font renderer builds.
inline constexpr int kControlTolerance = 16;

inline void ExpectLooksLike(const QImage& picture, const std::string& controlPath) {
    const QString path = QString::fromStdString(controlPath);
    const QString name = QFileInfo(path).completeBaseName();
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    if (std::getenv("TALVO_UPDATE_CONTROL_IMAGES") != nullptr) {
        ASSERT_TRUE(actual.save(path, "PNG")) << controlPath;
        return;
    }
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no control image " << controlPath;
    ASSERT_EQ(actual.size(), expected.size()) << controlPath;
    QImage difference(actual.size(), QImage::Format_RGB32);
    difference.fill(Qt::white);
    int different = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QColor a = actual.pixelColor(x, y);
            const QColor e = expected.pixelColor(x, y);
            const int delta =
                std::max({std::abs(a.red() - e.red()), std::abs(a.green() - e.green()),
                          std::abs(a.blue() - e.blue())});
            if (delta > kControlTolerance) {
                ++different;
                difference.setPixelColor(x, y, Qt::red);
            }
        }
    }
    if (different > 0) {
        const QString base = QDir::temp().filePath(QString("talvo_%1").arg(name));
        actual.save(base + "_actual.png");
        difference.save(base + "_difference.png");
        ADD_FAILURE() << different << " pixels of " << name.toStdString()
                      << " differ from the control image; see " << base.toStdString()
                      << "_actual.png and _difference.png";
    }
}

}  // namespace talvo::test
