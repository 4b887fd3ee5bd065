#include "run/ResultStaging.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "EngineError.h"

namespace talvo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporarySuffix = ".part";
constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// The temporary files of the run in progress, as the signal handler reads them: a handler
// can reach nothing else. Written only while the handlers are installed and removed.
std::atomic<const char* const*> gTemporaryFiles{nullptr};
static_assert(std::atomic<const char* const*>::is_always_lock_free);

extern "C" void RemoveTemporaryFilesAndEnd(int signal) {
    for (const char* const* name = gTemporaryFiles.load(); name != nullptr && *name != nullptr;
         ++name) {
        ::unlink(*name);
    }
    // The handler was installed for one delivery: the default action ends the process, with
    // the status of the signal.
    ::raise(signal);
}

std::vector<std::string*> ResultsOf(RunFiles& f) {
    std::vector<std::string*> results{
        &f.outputExist,  &f.optExistPlan, &f.occuExist,   &f.outputFGFC,
        &f.optFGFCPlan,  &f.occuFGFC,     &f.outputVGFC,  &f.optVGFCPlan,
        &f.occuVGFC,     &f.outputVGVC,   &f.optVGVCPlan, &f.occuVGVC,
        &f.resultsExist, &f.resultsFGFC,  &f.resultsVGFC, &f.resultsVGVC};
    for (int g = 1; g <= kMaxPlotFiles; ++g) {
        results.push_back(&f.ctmplot[g]);
    }
    return results;
}

// A link is followed so that the link itself stays; one that leads nowhere is replaced.
std::string TargetOf(const std::string& result) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(result, ec))) {
        return result;
    }
    const fs::path target = fs::canonical(result, ec);
    return ec ? result : target.string();
}

// A device, a directory or a name the system cannot look up is opened as it stands, and
// what is wrong with it is reported when it is written.
bool WrittenAsItStands(const std::string& target) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (status.type() == fs::file_type::not_found) {
        return false;
    }
    return ec || !fs::is_regular_file(status);
}

void RemoveTemporary(const std::string& temporary) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(temporary, ec))) {
        fs::remove(temporary, ec);
    }
}

// Holds the signals back for the lifetime of the object, in this thread (the only one left
// when the results are put in place).
class HeldSignals {
  public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : kSignals) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    sigset_t previous_;
};

}  // namespace

ResultStaging::ResultStaging(const RunFiles& files) : writing_(files) {
    for (std::string* name : ResultsOf(writing_)) {
        const std::string target = TargetOf(*name);
        // Written as it stands: under its own name, which messages then show.
        Staged staged = WrittenAsItStands(target) ? Staged{*name, *name}
                                                  : Staged{target, target + kTemporarySuffix};
        if (staged.staged()) {
            RemoveTemporary(staged.temporary);
        }
        *name = staged.temporary;
        staged_.push_back(std::move(staged));
    }
    for (const Staged& staged : staged_) {
        if (staged.staged()) {
            signalList_.push_back(staged.temporary.c_str());
        }
    }
    signalList_.push_back(nullptr);
    previousList_ = gTemporaryFiles.exchange(signalList_.data());

    for (size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction current {};
        if (sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = RemoveTemporaryFilesAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        installed_[i] = sigaction(kSignals[i], &action, &previousActions_[i]) == 0;
    }
}

ResultStaging::~ResultStaging() {
    for (const Staged& staged : staged_) {
        if (staged.staged()) {
            RemoveTemporary(staged.temporary);
        }
    }
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        if (installed_[i]) {
            sigaction(kSignals[i], &previousActions_[i], nullptr);
        }
    }
    gTemporaryFiles.store(previousList_);
}

void ResultStaging::commit() {
    putInPlace(nullptr);
}

void ResultStaging::commitOnly(const std::string& written) {
    putInPlace(&written);
}

void ResultStaging::putInPlace(const std::string* onlyWritten) {
    const HeldSignals held;
    for (const Staged& staged : staged_) {
        if (!staged.staged() || (onlyWritten != nullptr && staged.temporary != *onlyWritten)) {
            continue;
        }
        std::error_code ec;
        if (!fs::is_regular_file(fs::symlink_status(staged.temporary, ec))) {
            continue;  // not written by this run
        }
        if (std::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
            throw EngineError("Cannot replace " + staged.target + " by the new result (" +
                              std::strerror(errno) + ")");
        }
    }
}

std::string ResultNameOf(const std::string& written) {
    const std::string_view suffix = kTemporarySuffix;
    if (written.size() > suffix.size() &&
        written.compare(written.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return written.substr(0, written.size() - suffix.size());
    }
    return written;
}

}  // namespace talvo
