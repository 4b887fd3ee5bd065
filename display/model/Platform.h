#pragma once

#include <string>

namespace talvo::display {

// Message boxes. Every refusal is a critical box titled "Caution!"; the detail, when given,
// names the file, line and value behind the message and is shown beneath it.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual void caution(const std::string& text, const std::string& detail = {}) = 0;
};

// A file dialog: title, filter list ("Name (*.ext)|*.ext|..."), filter index, initial name.
struct FileDialogRequest {
    std::string title;
    std::string filter;
    int filterIndex = 1;
    std::string initialName;
};

// File dialogs; an empty answer means the user cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::string openFileName(const FileDialogRequest& request) = 0;
    virtual std::string saveFileName(const FileDialogRequest& request) = 0;
};

}  // namespace talvo::display
