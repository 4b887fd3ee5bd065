#pragma once

#include <string>

#include "platform/FileDialogRequest.h"
#include "platform/Prompter.h"

namespace talvo::display {

// Message boxes: the programs' shared prompter.
using talvo::Prompter;

// A file dialog: title, filter list ("Name (*.ext)|*.ext|..."), filter index, initial name.
using talvo::FileDialogRequest;

// File dialogs; an empty answer means the user cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::string openFileName(const FileDialogRequest& request) = 0;
    virtual std::string saveFileName(const FileDialogRequest& request) = 0;
};

}  // namespace talvo::display
