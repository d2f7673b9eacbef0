#include "support/postgres/postgres_cluster.h"

#include <fcntl.h>
#include <libpq-fe.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace fs = std::filesystem;

namespace {

const char* const SUPERUSER = "zentrix";

// The newest server under /usr/lib/postgresql, or ZENTRIX_POSTGRES_BIN.
std::string findServer() {
    if (const char* bin = std::getenv("ZENTRIX_POSTGRES_BIN"); bin && *bin) {
        return bin;
    }
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& version : fs::directory_iterator("/usr/lib/postgresql", error)) {
        if (fs::exists(version.path() / "bin" / "initdb")) {
            found.push_back(version.path() / "bin");
        }
    }
    if (found.empty()) {
        throw std::runtime_error(
            "PostgreSQL's server is not installed: no initdb under /usr/lib/postgresql/*/bin "
            "(scripts/install-deps.sh installs the postgresql package)");
    }
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        return std::stoi(a.parent_path().filename().string()) <
               std::stoi(b.parent_path().filename().string());
    });
    return found.back().string();
}

std::string tailOf(const fs::path& log) {
    std::ifstream file(log);
    std::stringstream text;
    text << file.rdbuf();
    const std::string all = text.str();
    return all.size() > 1500 ? all.substr(all.size() - 1500) : all;
}

}  // namespace

PostgresCluster::PostgresCluster() : bin_(findServer()) {
    const auto began = std::chrono::steady_clock::now();
    // A short folder: the socket's path must fit in 107 bytes.
    char folder[] = "/tmp/zentrix-pg-XXXXXX";
    if (!mkdtemp(folder)) {
        throw std::runtime_error(std::string("cannot make a folder for PostgreSQL: ") +
                                 std::strerror(errno));
    }
    folder_ = folder;
    try {
        // initdb refuses to run as root.
        if (geteuid() == 0) {
            const passwd* postgres = getpwnam("postgres");
            if (!postgres) {
                throw std::runtime_error(
                    "running as root and there is no postgres user to run PostgreSQL as");
            }
            if (chown(folder, postgres->pw_uid, postgres->pw_gid) != 0) {
                throw std::runtime_error(std::string("cannot hand the folder to postgres: ") +
                                         std::strerror(errno));
            }
        }
        run("initdb", {"-D", folder_ + "/data", "-U", SUPERUSER, "--auth=trust", "-E", "UTF8",
                       "--locale=C", "--no-sync", "--no-instructions"});
        // No TCP at all. Nothing a test writes needs to outlive the machine,
        // but a commit must outlive the server killed (synchronous_commit
        // stays on: the log is written, if not synced, before a commit returns).
        std::ofstream config(folder_ + "/data/postgresql.conf", std::ios::app);
        config << "listen_addresses = ''\n"
               << "unix_socket_directories = '" << folder_ << "'\n"
               << "fsync = off\nfull_page_writes = off\n"
               << "shared_buffers = 16MB\nmax_connections = 60\n";
        config.close();
        if (!config) {
            throw std::runtime_error("cannot write the PostgreSQL settings");
        }
        start();
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        throw;
    }
    startSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
}

PostgresCluster::~PostgresCluster() {
    try {
        stop();
    } catch (const std::exception&) {
        // the folder goes anyway
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string PostgresCluster::uri(const std::string& database) const {
    return "postgresql:///" + database + "?host=" + folder_ + "&user=" + SUPERUSER;
}

std::string PostgresCluster::createDatabase() {
    const std::string name = "board_" + std::to_string(++databases_);
    PGconn* connection = PQconnectdb(uri().c_str());
    std::string failure;
    if (PQstatus(connection) != CONNECTION_OK) {
        failure = PQerrorMessage(connection);
    } else {
        PGresult* result = PQexec(connection, ("CREATE DATABASE " + name).c_str());
        if (PQresultStatus(result) != PGRES_COMMAND_OK) {
            failure = PQresultErrorMessage(result);
        }
        PQclear(result);
    }
    PQfinish(connection);
    if (!failure.empty()) {
        throw std::runtime_error("cannot make a database on the test's PostgreSQL: " + failure);
    }
    return uri(name);
}

void PostgresCluster::start() {
    if (!running_) {
        run("pg_ctl",
            {"-w", "-t", "30", "-D", folder_ + "/data", "-l", folder_ + "/server.log", "start"});
        running_ = true;
    }
}

void PostgresCluster::stop() {
    if (running_) {
        running_ = false;
        run("pg_ctl", {"-w", "-D", folder_ + "/data", "-m", "immediate", "stop"});
    }
}

void PostgresCluster::run(const std::string& tool,
                          const std::vector<std::string>& arguments) const {
    std::vector<std::string> command;
    if (geteuid() == 0) {
        command = {"runuser", "-u", "postgres", "--"};
    }
    command.push_back(bin_ + "/" + tool);
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& part : command) {
        argv.push_back(part.data());
    }
    argv.push_back(nullptr);

    const std::string log = folder_ + "/" + tool + ".log";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        throw std::runtime_error("cannot run " + command[0] + ": " + std::strerror(spawned));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string message = "PostgreSQL's " + tool + " failed:\n" + tailOf(log);
        if (tool == "pg_ctl") {
            message += "\nserver log:\n" + tailOf(folder_ + "/server.log");
        }
        throw std::runtime_error(message);
    }
}
