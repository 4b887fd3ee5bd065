#include "QtDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QMessageBox>

#include "scenepainter/ScenePainter.h"

namespace talvo {

QtDialogs::QtDialogs(QWidget* parent)
    : parent_(parent), files_(parent, LastFolder("Editor", QDir::homePath())) {}

std::string QtDialogs::OpenFileName(const std::string& title, const std::string& filter,
                                    int filterIndex, const std::string& initialName) {
    return files_.openFileName({title, filter, filterIndex, initialName});
}

std::string QtDialogs::SaveFileName(const std::string& title, const std::string& filter,
                                    int filterIndex, const std::string& initialName) {
    return files_.saveFileName({title, filter, filterIndex, initialName});
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
