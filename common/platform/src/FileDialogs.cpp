#include "platform/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace talvo {

namespace {

constexpr const char* kLastFolderKey = "folders/lastFile";

QStringList QtFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(';', ' ');
        if (!name.contains('(')) {
            name += " (" + pattern + ")";
        }
        filters << name;
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

QString LastFolder::folder() const {
    const QString folder = QSettings("TALVO", program_).value(kLastFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback_;
}

void LastFolder::remember(const QString& chosenFile) const {
    if (!chosenFile.isEmpty()) {
        QSettings("TALVO", program_).setValue(kLastFolderKey, QFileInfo(chosenFile).absolutePath());
    }
}

QString LastFolder::startFor(const std::string& initialName) const {
    const QString name = QString::fromStdString(initialName);
    return QFileInfo(name).isAbsolute() ? name : QDir(folder()).filePath(name);
}

namespace {

// QFileDialog::getOpenFileName or getSaveFileName.
using QtFileDialog = QString (*)(QWidget*, const QString&, const QString&, const QString&, QString*,
                                 QFileDialog::Options);

std::string Ask(QtFileDialog dialog, QWidget* parent, const LastFolder& folder,
                const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    const QString chosen =
        dialog(parent, QString::fromStdString(request.title), folder.startFor(request.initialName),
               QtFilterList(request.filter), &selected, {});
    folder.remember(chosen);
    return chosen.toStdString();
}

}  // namespace

std::string QtFileDialogs::openFileName(const FileDialogRequest& request) const {
    return Ask(QFileDialog::getOpenFileName, parent_, folder_, request);
}

std::string QtFileDialogs::saveFileName(const FileDialogRequest& request) const {
    return Ask(QFileDialog::getSaveFileName, parent_, folder_, request);
}

}  // namespace talvo
