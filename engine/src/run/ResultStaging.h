#pragma once
// A run's results are written beside the files they replace, each under its name with
// ".part" added, and put in their place together once the run has written them all: a run
// that stops on the way (a signal, a full disk, an error) leaves the previous run's results
// as they were.
//
// A name that leads to something other than a regular file (a device such as /dev/null) is
// written as it stands; a symbolic link is followed, so that its target is replaced and the
// link stays. SIGTERM, SIGINT and SIGHUP remove the temporary files before the process ends
// (unless the signal was ignored when the run started, as nohup leaves SIGHUP). SIGKILL
// leaves them; the next run in the directory removes them before it writes.

#include <csignal>
#include <string>
#include <vector>

#include "run/RunFiles.h"

namespace talvo {

class ResultStaging {
  public:
    // Removes the temporary files an earlier, killed run left, and installs the signal
    // handlers (the previous ones come back with the destructor).
    explicit ResultStaging(const RunFiles& files);
    // Removes every temporary file not put in place.
    ~ResultStaging();

    ResultStaging(const ResultStaging&) = delete;
    ResultStaging& operator=(const ResultStaging&) = delete;

    // The run's files with each result named by the file it is written to.
    const RunFiles& writing() const { return writing_; }

    // Puts every result the run has written in place of the earlier one, with the signals
    // above held back until all are in place. Throws EngineError when one cannot be.
    void commit();
    // Puts only the result written to `written` (a name of writing()) in place; the others
    // are dropped.
    void commitOnly(const std::string& written);

  private:
    struct Staged {
        std::string target;     // what is replaced: the result, or the file its link names
        std::string temporary;  // what the run writes; the target itself when not staged
        bool staged() const { return temporary != target; }
    };

    void putInPlace(const std::string* onlyWritten);

    std::vector<Staged> staged_;
    RunFiles writing_;
    std::vector<const char*> signalList_;  // the temporary names, null-ended, for the handler
    const char* const* previousList_ = nullptr;
    struct sigaction previousActions_[3] = {};
    bool installed_[3] = {};
};

// The name a message gives a file the run writes: the result's, not its temporary file's.
std::string ResultNameOf(const std::string& written);

}  // namespace talvo
