#include "ui/QtPlatform.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace talvo::display {
namespace {

// Pairs of (description, pattern) from "A|a|B|b".
QStringList QtFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = parts[i + 1];
        if (!description.contains('(')) {
            description += " (" + pattern + ")";
        }
        filters << description;
    }
    return filters;
}

}  // namespace

QString QtFilterList(const std::string& filter) {
    return QtFilters(filter).join(";;");
}

QString QtSelectedFilter(const std::string& filter, int filterIndex) {
    const QStringList filters = QtFilters(filter);
    if (filterIndex < 1 || filterIndex > filters.size()) {
        return {};
    }
    return filters[filterIndex - 1];
}

std::string QtFileChooser::openFileName(const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    return QFileDialog::getOpenFileName(parent_, QString::fromStdString(request.title),
                                        QString::fromStdString(request.initialName),
                                        QtFilterList(request.filter), &selected)
        .toStdString();
}

std::string QtFileChooser::saveFileName(const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    return QFileDialog::getSaveFileName(parent_, QString::fromStdString(request.title),
                                        QString::fromStdString(request.initialName),
                                        QtFilterList(request.filter), &selected)
        .toStdString();
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
