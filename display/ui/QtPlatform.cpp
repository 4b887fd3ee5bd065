#include "ui/QtPlatform.h"

#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace talvo::display {

LastFolder DisplayFolder() {
    return LastFolder("Display", QDir::currentPath());
}

QString LastFileFolder() {
    return DisplayFolder().folder();
}

void RememberFileFolder(const std::string& chosenFile) {
    DisplayFolder().remember(QString::fromStdString(chosenFile));
}

void QtPicturePrinter::print(const QImage& picture) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawImage(0, 0, picture);
}

}  // namespace talvo::display
