#pragma once
// Whether an engine is running in a directory: the engine holds an exclusive lock on its
// run directory for the whole run.

#include <filesystem>
#include <string>

namespace talvo {

// True while another process holds the directory's lock. Probing takes the lock for a
// moment and releases it at once.
bool RunInProgress(const std::filesystem::path& runDir);

std::string RunInProgressMessage(const std::filesystem::path& runDir);

}  // namespace talvo
