#include "ui/QtPlatform.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
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

namespace {

constexpr const char* kLastFolderKey = "folders/lastFile";

QString StartOf(const FileDialogRequest& request) {
    return request.initialName.empty() ? LastFileFolder()
                                       : QString::fromStdString(request.initialName);
}

std::string Remembered(const QString& chosen) {
    RememberFileFolder(chosen.toStdString());
    return chosen.toStdString();
}

}  // namespace

QString LastFileFolder() {
    const QString folder = QSettings("TALVO", "Display").value(kLastFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::currentPath();
}

void RememberFileFolder(const std::string& chosenFile) {
    if (!chosenFile.empty()) {
        QSettings("TALVO", "Display")
            .setValue(kLastFolderKey, QFileInfo(QString::fromStdString(chosenFile)).absolutePath());
    }
}

std::string QtFileChooser::openFileName(const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    return Remembered(QFileDialog::getOpenFileName(parent_, QString::fromStdString(request.title),
                                                   StartOf(request), QtFilterList(request.filter),
                                                   &selected));
}

std::string QtFileChooser::saveFileName(const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    return Remembered(QFileDialog::getSaveFileName(parent_, QString::fromStdString(request.title),
                                                   StartOf(request), QtFilterList(request.filter),
                                                   &selected));
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
