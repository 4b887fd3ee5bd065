#pragma once
// The threads of one optimisation: started once and handed one round of work at a time
// (a generation, a refinement round), so that no round waits for threads to start.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace talvo {

class WorkerPool {
  public:
    // `threads` workers in all, the caller of run being the first (at least one).
    explicit WorkerPool(size_t threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    size_t size() const { return helpers_.size() + 1; }

    // How long a thread waiting for the next round, or for the helpers to end one, keeps
    // looking before it sleeps. Rounds of a search follow each other closely (a worker
    // waits for the other's last batch and the GA's breeding, well under a millisecond),
    // while waking a sleeping thread took some 60 us on a virtual machine, 5 ms over the
    // 90 generations of the 200-cell grid.
    static constexpr std::chrono::microseconds kSpin{1000};

    // Calls task(w) for w = 0..workers-1 (at most size()), w = 0 on this thread, and
    // returns when every call has; then rethrows the first exception a call threw.
    void run(size_t workers, const std::function<void(size_t)>& task);

  private:
    void helperLoop(size_t w);
    void stop();

    std::mutex mutex_;
    std::condition_variable wake_, finished_;
    const std::function<void(size_t)>* task_ = nullptr;
    size_t workers_ = 0;          // of the current round
    std::exception_ptr failure_;  // the current round's first
    // Changed under the mutex, read without it while a thread spins for them.
    std::atomic<uint64_t> round_{0};  // counts rounds handed out
    std::atomic<size_t> busy_{0};     // helpers still in the current round
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> helpers_;
};

}  // namespace talvo
