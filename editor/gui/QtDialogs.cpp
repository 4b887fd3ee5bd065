#include "QtDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "EditorSettings.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

namespace {

// A dialog starts in the folder last used, with the suggested name there.
QString StartOf(const std::string& initialName) {
    const QString name = QString::fromStdString(initialName);
    if (QFileInfo(name).isAbsolute()) {
        return name;
    }
    return QDir(LastFileFolder()).filePath(name);
}

}  // namespace

QString ToQtFilter(const std::string& filter, int filterIndex, QString* selected) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(';', ' ');
        if (!name.contains('(')) {
            name += " (" + pattern + ")";
        }
        entries << name;
    }
    if (selected != nullptr && filterIndex >= 1 && filterIndex <= entries.size()) {
        *selected = entries[filterIndex - 1];
    }
    return entries.join(";;");
}

std::string QtDialogs::OpenFileName(const std::string& title, const std::string& filter,
                                    int filterIndex, const std::string& initialName) {
    QString selected;
    const QString filters = ToQtFilter(filter, filterIndex, &selected);
    const QString chosen = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title),
                                                        StartOf(initialName), filters, &selected);
    SetLastFileFolder(chosen);
    return chosen.toStdString();
}

std::string QtDialogs::SaveFileName(const std::string& title, const std::string& filter,
                                    int filterIndex, const std::string& initialName) {
    QString selected;
    const QString filters = ToQtFilter(filter, filterIndex, &selected);
    const QString chosen = QFileDialog::getSaveFileName(parent_, QString::fromStdString(title),
                                                        StartOf(initialName), filters, &selected);
    SetLastFileFolder(chosen);
    return chosen.toStdString();
}

std::optional<ColourValue> QtDialogs::ChooseColour(ColourValue initial) {
    const QColor chosen =
        QColorDialog::getColor(scene::ToQColor(scene::Colour::FromValue(initial)), parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return Rgb(chosen.red(), chosen.green(), chosen.blue());
}

SaveChoice QtDialogs::AskSaveChanges(const std::string& text) {
    const auto answer = QMessageBox::warning(
        parent_, "Warning!", QString::fromStdString(text),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return SaveChoice::Save;
    }
    if (answer == QMessageBox::Discard) {
        return SaveChoice::Discard;
    }
    return SaveChoice::Cancel;
}

}  // namespace talvo
