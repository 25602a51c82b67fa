// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/largestack.h"

#include <cstddef>
#include <pthread.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer stops cleaning up the stack after an exception once the stack spans
// more than 64 MiB, and then reports false errors.
constexpr std::size_t kStackSize = std::size_t{60} << 20;
#else
constexpr std::size_t kStackSize = std::size_t{256} << 20;
#endif

struct Job {
    const std::function<int()>* work;
    int result;
};

void* RunJob(void* argument) {
    Job* job = static_cast<Job*>(argument);
    job->result = (*job->work)();
    return nullptr;
}

} // namespace

int RunOnLargeStack(const std::function<int()>& work) {
    Job job{&work, 0};
    pthread_attr_t attributes;
    pthread_t thread;
    bool started = pthread_attr_init(&attributes) == 0 &&
                   pthread_attr_setstacksize(&attributes, kStackSize) == 0 &&
                   pthread_create(&thread, &attributes, &RunJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started)
        return work(); // a smaller stack only lowers how deep recursion may go
    pthread_join(thread, nullptr);
    return job.result;
}
