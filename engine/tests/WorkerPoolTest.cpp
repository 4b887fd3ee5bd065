#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "optimiser/WorkerPool.h"

namespace talvo {
namespace {

// Round after round on the same threads: each worker of a round is called once, the
// first on the caller's thread, none past the round's count.
TEST(WorkerPool, EachRoundCallsItsWorkersOnceOnThePoolsThreads) {
    WorkerPool pool(3);
    ASSERT_EQ(pool.size(), 3u);
    std::vector<std::thread::id> firstRound(3);
    for (const size_t workers : {3u, 2u, 1u, 3u, 5u}) {
        std::vector<std::atomic<int>> calls(3);
        std::vector<std::thread::id> ids(3);
        pool.run(workers, [&](size_t w) {
            ++calls[w];
            ids[w] = std::this_thread::get_id();
        });
        for (size_t w = 0; w < 3; ++w) {
            EXPECT_EQ(calls[w], w < workers ? 1 : 0) << workers << " workers, worker " << w;
        }
        EXPECT_EQ(ids[0], std::this_thread::get_id());
        if (workers == 3) {
            if (firstRound[1] == std::thread::id())
                firstRound = ids;
            EXPECT_EQ(ids, firstRound);  // no thread started for a later round
        }
    }
}

// A share that throws comes back to the caller only once every share is done, and the
// pool takes the next round as before.
TEST(WorkerPool, AFailingShareIsRethrownAfterTheRound) {
    WorkerPool pool(2);
    std::atomic<int> done{0};
    for (const size_t failing : {0u, 1u}) {
        done = 0;
        EXPECT_THROW(pool.run(2,
                              [&](size_t w) {
                                  if (w == failing)
                                      throw std::runtime_error("share failed");
                                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                  ++done;
                              }),
                     std::runtime_error);
        EXPECT_EQ(done, 1) << "failing share " << failing;
    }
    pool.run(2, [&](size_t) { ++done; });
    EXPECT_EQ(done, 3);
}

}  // namespace
}  // namespace talvo
