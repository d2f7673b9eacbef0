// A PostgreSQL server of a test's own: made in a fresh folder under /tmp,
// listening only on a Unix socket in that folder, and gone when stopped.
#pragma once

#include <string>
#include <vector>

class PostgresCluster {
public:
    // Makes and starts the cluster (as the postgres user when run as root).
    // Throws std::runtime_error saying what is missing or what went wrong.
    PostgresCluster();
    // Stops it at once and removes its folder.
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // A libpq URI for a database on it, as its superuser.
    std::string uri(const std::string& database = "postgres") const;
    // A new, empty database; its URI.
    std::string createDatabase();

    // Stops as a crash would, and starts again on the same files: what a
    // client sees when the database restarts under it.
    void stop();
    void start();

    // How long making and starting it took.
    double startSeconds() const { return startSeconds_; }

private:
    void run(const std::string& tool, const std::vector<std::string>& arguments) const;

    std::string bin_;
    std::string folder_;
    bool running_ = false;
    int databases_ = 0;
    double startSeconds_ = 0;
};
