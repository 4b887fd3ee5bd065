#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "platform/PicturePrinting.h"

namespace talvo {

inline constexpr const char* kPrintBitmapName = "talvo.bmp";

// Saves the map picture as "talvo.bmp" in the program directory, replacing an earlier one.
// Returns the error message naming the file when it cannot be written.
std::optional<std::string> SavePrintBitmap(const QImage& picture, const QString& programDir);

// Saves the map picture in the format its name ends with (PNG for ".png"). Returns the error
// message naming the file when it cannot be written.
std::optional<std::string> SaveMapPicture(const QImage& picture, const QString& path);

}  // namespace talvo
