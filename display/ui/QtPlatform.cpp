#include "ui/QtPlatform.h"

#include <QDir>
#include <QPrinter>

#include "platform/PicturePrinting.h"

namespace talvo::display {

LastFolder DisplayFolder() {
    return LastFolder("Display", QDir::currentPath());
}

void QtPicturePrinter::print(const QImage& picture) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    if (ChoosePrinter(printer, parent_)) {
        PrintPicture(picture, printer, prompter_);
    }
}

}  // namespace talvo::display
