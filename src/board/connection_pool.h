// board: lends each caller a database connection of its own, opening more up
// to a limit and making the rest wait for one to come back.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

template <typename Connection>
class ConnectionPool {
public:
    using Opener = std::function<std::unique_ptr<Connection>()>;

    // A connection lent out; it goes back to the pool when the lease ends,
    // unless it was found broken and dropped.
    class Lease {
    public:
        Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection)
            : pool_(&pool), connection_(std::move(connection)) {}
        Lease(Lease&& other) noexcept
            : pool_(other.pool_), connection_(std::move(other.connection_)) {}
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease& operator=(Lease&&) = delete;
        ~Lease() {
            if (connection_) {
                pool_->giveBack(std::move(connection_));
            }
        }
        Connection& operator*() const { return *connection_; }
        Connection* operator->() const { return connection_.get(); }
        // Closes the connection instead of lending it again; its place is
        // free for a new one.
        void drop() {
            connection_.reset();
            pool_->forget();
        }

    private:
        ConnectionPool* pool_;
        std::unique_ptr<Connection> connection_;
    };

    ConnectionPool(size_t limit, Opener open) : limit_(limit), open_(std::move(open)) {}

    // An idle connection, a new one while fewer than the limit are open, or
    // the next one given back. Throws whatever opening throws.
    Lease lease() {
        std::unique_lock<std::mutex> lock(mutex_);
        returned_.wait(lock, [&] { return !idle_.empty() || opened_ < limit_; });
        if (!idle_.empty()) {
            std::unique_ptr<Connection> connection = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(connection));
        }
        ++opened_;
        lock.unlock();
        try {
            return Lease(*this, open_());
        } catch (...) {
            forget();
            throw;
        }
    }

    // Closes every idle connection: after one was found broken, the rest
    // most likely are too (the database went away under all of them).
    void dropIdle() {
        std::vector<std::unique_ptr<Connection>> closing;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            opened_ -= idle_.size();
            closing.swap(idle_);
        }
        returned_.notify_all();
    }

private:
    void giveBack(std::unique_ptr<Connection> connection) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            idle_.push_back(std::move(connection));
        }
        returned_.notify_one();
    }

    void forget() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            --opened_;
        }
        returned_.notify_one();
    }

    const size_t limit_;
    const Opener open_;
    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<Connection>> idle_;
    size_t opened_ = 0;
};
