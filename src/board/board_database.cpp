#include "board/board_store.h"
#include "board/decimal_text.h"
#include "board/postgres_store.h"
#include "board/sqlite_store.h"

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
