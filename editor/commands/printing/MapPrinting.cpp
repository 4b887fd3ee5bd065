#include "printing/MapPrinting.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>
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

std::optional<std::string> PrintPicture(const QImage& picture, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return std::string("The printer cannot be used.");
    }
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawImage(0, 0, picture);
    painter.end();
    return std::nullopt;
}

}  // namespace talvo
