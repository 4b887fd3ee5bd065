#include "optimiser/WorkerPool.h"

#include <algorithm>
#include <exception>

#include "hwy/cache_control.h"

namespace talvo {

namespace {

// Spins until `done` holds or WorkerPool::kSpin has passed; the caller then sleeps if
// need be.
template <class Done>
void SpinFor(const Done& done) {
    const auto until = std::chrono::steady_clock::now() + WorkerPool::kSpin;
    for (unsigned look = 1; !done(); ++look) {
        hwy::Pause();
        if (look % 64 == 0 && std::chrono::steady_clock::now() >= until)
            return;
    }
}

}  // namespace

WorkerPool::WorkerPool(size_t threads) {
    try {
        for (size_t w = 1; w < threads; ++w)
            helpers_.emplace_back(&WorkerPool::helperLoop, this, w);
    } catch (...) {
        stop();  // those already started, before their threads go out of scope
        throw;
    }
}

WorkerPool::~WorkerPool() {
    stop();
}

void WorkerPool::stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

void WorkerPool::helperLoop(size_t w) {
    uint64_t seen = 0;
    for (;;) {
        const std::function<void(size_t)>* task = nullptr;
        SpinFor([&] { return stopping_.load() || round_.load() != seen; });
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || round_ != seen; });
            if (stopping_)
                return;
            seen = round_;
            task = w < workers_ ? task_ : nullptr;
        }
        std::exception_ptr failure;
        if (task != nullptr) {
            try {
                (*task)(w);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (failure && !failure_)
                failure_ = failure;
            --busy_;
        }
        finished_.notify_one();
    }
}

void WorkerPool::run(size_t workers, const std::function<void(size_t)>& task) {
    workers = std::min(workers, size());
    if (workers == 0)
        return;
    // A round for one worker stays on this thread; helpers past a round's workers only
    // acknowledge it.
    const size_t helpers = workers - 1;
    if (helpers > 0) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            task_ = &task;
            workers_ = workers;
            busy_ = helpers_.size();
            ++round_;
        }
        wake_.notify_all();
    }
    // The helpers hold `task` until the round ends, so even a failing share waits for them.
    std::exception_ptr failure;
    try {
        task(0);
    } catch (...) {
        failure = std::current_exception();
    }
    if (helpers > 0) {
        SpinFor([&] { return busy_.load() == 0; });
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait(lock, [&] { return busy_ == 0; });
        task_ = nullptr;
        if (!failure)
            failure = failure_;
        failure_ = nullptr;
    }
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace talvo
