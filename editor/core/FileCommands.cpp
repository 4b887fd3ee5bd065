#include "core/FileCommands.h"

#include <filesystem>

#include "core/Dialogs.h"
#include "core/EditorModel.h"
#include "platform/Prompter.h"

namespace talvo {

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    if (path.empty() || std::filesystem::path(path).has_extension()) {
        return path;
    }
    return path + extension;
}

void FileCommands::New() {
    if (ConfirmDiscard()) {
        model_.NewProject();
    }
}

void FileCommands::Open(ProjectLayout layout) {
    if (!ConfirmDiscard()) {
        return;
    }
    const std::string path =
        dialogs_.OpenFileName("Open Input Data File Dialog", kProjectFilter, 1, "");
    if (!path.empty()) {
        OpenFile(path, layout);
    }
}

bool FileCommands::OpenFile(const std::string& path, ProjectLayout layout) {
    const EditResult opened = model_.OpenProject(path, layout);
    if (!opened) {
        prompter_.caution(opened.message());
    }
    return opened.ok();
}

bool FileCommands::Save() {
    if (model_.fileName().empty()) {
        return SaveAs();
    }
    return SaveTo(model_.fileName());
}

bool FileCommands::SaveAs() {
    const std::string path =
        dialogs_.SaveFileName("Save Input Data File Dialog", kProjectFilter, 1, "");
    if (path.empty()) {
        return false;  // cancelled
    }
    return SaveTo(WithDefaultExtension(path, ".tin"));
}

bool FileCommands::SaveTo(std::string path) {
    // A failed write keeps the name and caption as they were.
    const EditResult saved = model_.SaveProject(path);
    if (!saved) {
        prompter_.caution(saved.message());
    }
    return saved.ok();
}

bool FileCommands::ConfirmDiscard() {
    if (!model_.isModified()) {
        return true;
    }
    switch (dialogs_.AskSaveChanges(kAskSave)) {
        case SaveChoice::Save:
            return Save();
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            return false;
    }
    return false;
}

}  // namespace talvo
