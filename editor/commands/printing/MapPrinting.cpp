#include "printing/MapPrinting.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace talvo {

namespace {

std::string CannotSave(const QString& path, const QString& reason) {
    return ("The picture '" + QDir::toNativeSeparators(path) + "' cannot be saved: " + reason + ".")
        .toStdString();
}

}  // namespace

std::optional<std::string> SaveMapPicture(const QImage& picture, const QString& path) {
    // Through a temporary file, so that a failed save never destroys an earlier picture.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return CannotSave(path, file.errorString());
    }
    QImageWriter writer(&file, QFileInfo(path).suffix().toLatin1());
    if (!writer.write(picture)) {
        file.cancelWriting();
        return CannotSave(path, writer.errorString());
    }
    if (!file.commit()) {
        return CannotSave(path, file.errorString());
    }
    return std::nullopt;
}

std::optional<std::string> SavePrintBitmap(const QImage& picture, const QString& programDir) {
    return SaveMapPicture(picture, QDir(programDir).filePath(kPrintBitmapName));
}

}  // namespace talvo
