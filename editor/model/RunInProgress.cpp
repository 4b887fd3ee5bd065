#include "model/RunInProgress.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace talvo {

bool RunInProgress(const std::filesystem::path& runDir) {
    const int descriptor = ::open(runDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;  // the writes that follow report what is wrong with the directory
    }
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    const bool held = result != 0 && errno == EWOULDBLOCK;
    ::close(descriptor);
    return held;
}

std::string RunInProgressMessage(const std::filesystem::path& runDir) {
    return "The engine is still running in '" + runDir.string() +
           "'.  Wait until its run has ended, or choose another directory.";
}

}  // namespace talvo
