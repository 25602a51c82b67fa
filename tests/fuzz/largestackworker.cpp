// SPDX-License-Identifier: GPL-3.0-or-later
#include "largestackworker.h"

#include "engine/largestack.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct Worker {
    std::mutex mutex;
    std::condition_variable changed;
    const std::function<int()>* job = nullptr;
    bool done = false;
    int result = 0;

    [[noreturn]] void serve() {
        for (;;) {
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return job != nullptr; });
            result = (*job)();
            job = nullptr;
            done = true;
            changed.notify_all();
        }
    }
};

Worker& worker() {
    // Never destroyed: the thread serves until the process ends.
    static Worker* instance = [] {
        auto* created = new Worker;
        std::thread([created] {
            RunOnLargeStack([created]() -> int { created->serve(); });
        }).detach();
        return created;
    }();
    return *instance;
}

} // namespace

int RunOnLargeStackWorker(const std::function<int()>& job) {
    Worker& w = worker();
    std::unique_lock lock(w.mutex);
    w.job = &job;
    w.done = false;
    w.changed.notify_all();
    w.changed.wait(lock, [&w] { return w.done; });
    return w.result;
}
