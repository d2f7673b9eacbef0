#include "board/work_queue.h"

WorkQueue::WorkQueue(unsigned threads, size_t waitingMax) : waitingMax_(waitingMax) {
    for (unsigned i = 0; i < threads; ++i) {
        threads_.emplace_back([this] { work(); });
    }
}

WorkQueue::~WorkQueue() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

bool WorkQueue::give(std::function<void()> job) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (jobs_.size() >= waitingMax_) {
            return false;
        }
        jobs_.push_back(std::move(job));
    }
    ready_.notify_one();
    return true;
}

void WorkQueue::work() {
    while (true) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                return;  // stopping, and every job given is done
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}
