#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A few threads doing the jobs given, in order; a job past the bound is
// refused at once so a flood is answered, not queued for ever.
class WorkQueue {
public:
    WorkQueue(unsigned threads, size_t waitingMax);
    ~WorkQueue();
    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    bool give(std::function<void()> job);

private:
    void work();

    size_t waitingMax_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
