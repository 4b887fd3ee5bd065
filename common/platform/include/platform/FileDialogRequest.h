#pragma once

#include <string>

namespace talvo {

// A file dialog: title, filter list ("Name|pattern|..."), 1-based filter index, the
// suggested name.
struct FileDialogRequest {
    std::string title;
    std::string filter;
    int filterIndex = 1;
    std::string initialName;
};

}  // namespace talvo
