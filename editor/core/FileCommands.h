#pragma once

#include <string>

#include "common/ProjectReader.h"

namespace talvo {

class Dialogs;
class EditorModel;
class Prompter;

// A name typed without extension gets the project's ".tin", so that the file dialogs'
// filters show the file again; a name with an extension is kept as typed.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

// The "&File" commands New, Open, Open Old, Save and Save As: the dialogs, the question
// about unsaved work, and the messages, over the model's document operations.
class FileCommands {
  public:
    static constexpr const char* kProjectFilter =
        "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt";
    static constexpr const char* kAskSave =
        "The network has been changed since it was last saved.  Do you want to save the "
        "changes?";

    FileCommands(EditorModel& model, Prompter& prompter, Dialogs& dialogs)
        : model_(model), prompter_(prompter), dialogs_(dialogs) {}

    void New();
    void Open(ProjectLayout layout);
    // Opens a file without the dialog (the command line, tests). True when it was read.
    bool OpenFile(const std::string& path, ProjectLayout layout);
    // Save asks for a name only when there is none; Save As always does.
    bool Save();
    bool SaveAs();
    // Before unsaved work would be lost: true when the caller may go on.
    bool ConfirmDiscard();

  private:
    bool SaveTo(std::string path);

    EditorModel& model_;
    Prompter& prompter_;
    Dialogs& dialogs_;
};

}  // namespace talvo
