#include "run/RunDirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "EngineError.h"
#include "run/Console.h"

namespace talvo {

namespace {

void ShowNotLocked(std::ostream& console, const std::string& runDirectory, int reason) {
    ConsoleLine(console, "Note: the run directory " + runDirectory + " cannot be locked (" +
                             std::strerror(reason) +
                             "); another engine started on it would not be stopped");
}

}  // namespace

RunDirectoryLock::RunDirectoryLock(const std::string& runDirectory, std::ostream& console) {
    const int descriptor = ::open(runDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            ShowNotLocked(console, runDirectory, errno);
        }
        return;
    }
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        descriptor_ = descriptor;
        return;
    }
    const int reason = errno;
    ::close(descriptor);
    if (reason == EWOULDBLOCK) {
        throw EngineError("Error: the run directory " + runDirectory +
                          " is in use by another run of the engine; wait until that run has "
                          "ended, or choose another run directory");
    }
    ShowNotLocked(console, runDirectory, reason);
}

RunDirectoryLock::~RunDirectoryLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // releases the lock
    }
}

}  // namespace talvo
