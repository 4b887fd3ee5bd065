#pragma once
// Holds the run directory for the whole run: an exclusive lock on the directory itself, so
// that a second engine started on the same directory stops at once instead of writing its
// results into this run's files. It leaves no file behind, and the system releases it
// however the process ends.

#include <ostream>
#include <string>

namespace talvo {

class RunDirectoryLock {
  public:
    // Throws EngineError when another run holds the directory. A directory that cannot be
    // opened is not locked (its files are reported as the run reaches them); one whose file
    // system refuses the lock is run without it, with a note on the console.
    RunDirectoryLock(const std::string& runDirectory, std::ostream& console);
    ~RunDirectoryLock();

    RunDirectoryLock(const RunDirectoryLock&) = delete;
    RunDirectoryLock& operator=(const RunDirectoryLock&) = delete;

    bool held() const { return descriptor_ >= 0; }

  private:
    int descriptor_ = -1;
};

}  // namespace talvo
