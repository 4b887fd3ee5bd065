#include "platform/PicturePrinting.h"

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/Prompter.h"

namespace talvo {

bool ChoosePrinter(QPrinter& printer, QWidget* parent, const QString& title) {
    QPrintDialog dialog(&printer, parent);
    if (!title.isEmpty()) {
        dialog.setWindowTitle(title);
    }
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> PrintPicture(const QImage& picture, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return std::string(kPrinterUnusable);
    }
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawImage(0, 0, picture);
    // Ending the page is where a printer that took the job may still fail.
    if (!painter.end()) {
        return std::string(kPrinterUnusable);
    }
    return std::nullopt;
}

bool PrintPicture(const QImage& picture, QPrinter& printer, Prompter& prompter) {
    const auto error = PrintPicture(picture, printer);
    if (error) {
        prompter.caution(*error);
    }
    return !error;
}

}  // namespace talvo
