#include "board/board_store.h"
#include "board/postgres_store.h"
#include "board/sqlite_store.h"

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::unique_ptr<BoardStore> openBoardStore(const std::string& database) {
    if (startsWith(database, "sqlite:")) {
        return std::make_unique<SqliteStore>(database.substr(7));
    }
    if (startsWith(database, "postgresql://") || startsWith(database, "postgres://")) {
        return std::make_unique<PostgresStore>(database);
    }
    // Not echoed: it may hold a password.
    throw BoardStoreError("the database must be sqlite:PATH or a postgresql:// URI");
}
