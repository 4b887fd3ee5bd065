#pragma once
// Writes whole text files so that a failure never leaves a half-written or destroyed
// file: the text goes to a temporary file beside the target, which then replaces it
// (QSaveFile). A write-protected target is refused; a symbolic link is followed, and its
// target is replaced while the link stays.

#include <string>
#include <utility>
#include <vector>

namespace talvo {

// Empty on success, otherwise a message naming the file and the reason.
std::string WriteFileReplacing(const std::string& path, const std::string& text);

// All files or none: every text is written to its temporary file first; only when all
// are complete are they renamed into place, and should a rename fail, the files renamed
// before it get their previous content back. Empty on success, else the first failure.
std::string WriteFilesReplacing(const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace talvo
