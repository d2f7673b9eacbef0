#include "board/sqlite_store.h"

#include <sqlite3.h>

#include <utility>

#include "board/stored_text.h"

namespace {

// Enough connections for the server's request threads; more wait their turn.
constexpr size_t POOL_SIZE = 8;
// A writer waits this long for another's transaction before the request is refused.
constexpr int BUSY_TIMEOUT_MS = 10000;

const char* const SCHEMA = R"(
CREATE TABLE IF NOT EXISTS players(
    name TEXT PRIMARY KEY,
    token_hash TEXT NOT NULL,
    claimed TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS runs(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    player TEXT NOT NULL REFERENCES players(name),
    circuit INTEGER NOT NULL CHECK (circuit BETWEEN 0 AND 4294967295),
    race_ms INTEGER NOT NULL,
    lap1 INTEGER NOT NULL,
    lap2 INTEGER NOT NULL,
    lap3 INTEGER NOT NULL,
    controls_key TEXT NOT NULL,
    game_version TEXT NOT NULL,
    submitted TEXT NOT NULL,
    replay BLOB NOT NULL,
    UNIQUE(circuit, controls_key));
CREATE INDEX IF NOT EXISTS runs_by_circuit ON runs(circuit);
CREATE TABLE IF NOT EXISTS bests(
    circuit INTEGER NOT NULL,
    player TEXT NOT NULL REFERENCES players(name),
    run INTEGER NOT NULL REFERENCES runs(id),
    race_ms INTEGER NOT NULL,
    PRIMARY KEY(circuit, player));
CREATE INDEX IF NOT EXISTS bests_by_rank ON bests(circuit, race_ms, run);
CREATE INDEX IF NOT EXISTS bests_by_player ON bests(player, circuit);
CREATE TABLE IF NOT EXISTS pilots(
    circuit INTEGER PRIMARY KEY,
    race_ms INTEGER NOT NULL,
    controls_key TEXT NOT NULL);
)";

// Ahead of a best: a faster one, or as fast and sent earlier.
#define RANK_OF(b)                                           \
    "1 + (SELECT count(*) FROM bests o WHERE o.circuit = " b \
    ".circuit AND "                                          \
    "(o.race_ms, o.run) < (" b ".race_ms, " b ".run))"

const char* const SQL_TOKEN = "SELECT token_hash FROM players WHERE name = ?1";
const char* const SQL_CLAIM = "INSERT INTO players(name, token_hash, claimed) VALUES(?1, ?2, ?3)";
const char* const SQL_PILOT_CLASH = "SELECT 1 FROM pilots WHERE circuit = ?1 AND controls_key = ?2";
const char* const SQL_INSERT_RUN =
    "INSERT INTO runs(player, circuit, race_ms, lap1, lap2, lap3, controls_key, game_version, "
    "submitted, replay) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)";
const char* const SQL_KEEP_BEST =
    "INSERT INTO bests(circuit, player, run, race_ms) VALUES(?1, ?2, ?3, ?4) "
    "ON CONFLICT(circuit, player) DO UPDATE SET run = excluded.run, race_ms = excluded.race_ms "
    "WHERE excluded.race_ms < bests.race_ms";
const char* const SQL_RANK =
    "SELECT " RANK_OF("b") " FROM bests b WHERE b.circuit = ?1 AND b.player = ?2";
const char* const SQL_BOARD_TOTAL = "SELECT count(*) FROM bests WHERE circuit = ?1";
const char* const SQL_BOARD_PAGE =
    "SELECT b.player, b.race_ms, r.lap1, r.lap2, r.lap3, r.id, r.game_version, r.submitted "
    "FROM bests b JOIN runs r ON r.id = b.run WHERE b.circuit = ?1 "
    "ORDER BY b.race_ms, b.run LIMIT ?2 OFFSET ?3";
const char* const SQL_PLAYER_BESTS =
    "SELECT b.circuit, b.race_ms, r.lap1, r.lap2, r.lap3, r.id, r.game_version, "
    "r.submitted, " RANK_OF(
        "b") " FROM bests b JOIN runs r ON r.id = b.run WHERE b.player = ?1 ORDER BY b.circuit";
const char* const SQL_REPLAY = "SELECT replay FROM runs WHERE id = ?1";
const char* const SQL_MOST_RACED =
    "SELECT circuit, count(*) AS kept FROM runs GROUP BY circuit "
    "ORDER BY kept DESC, circuit LIMIT ?1";
const char* const SQL_PILOT = "SELECT race_ms, controls_key FROM pilots WHERE circuit = ?1";
const char* const SQL_KEEP_PILOT =
    "INSERT INTO pilots(circuit, race_ms, controls_key) VALUES(?1, ?2, ?3) "
    "ON CONFLICT(circuit) DO UPDATE SET race_ms = excluded.race_ms, "
    "controls_key = excluded.controls_key";

}  // namespace

// What a connection holds; named, as SqliteStore::Connection is.
namespace sqlitestore {

[[noreturn]] void fail(sqlite3* db, const std::string& doing) {
    throw BoardStoreError("sqlite: " + doing + ": " + sqlite3_errmsg(db));
}

// One prepared statement, reset and its values cleared when the scope using it ends.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
            SQLITE_OK) {
            fail(db, "preparing a statement");
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3* db() const { return db_; }
    sqlite3_stmt* get() const { return statement_; }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

class Query {
public:
    explicit Query(Statement& statement) : statement_(statement.get()), db_(statement.db()) {}
    ~Query() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(int index, int64_t value) {
        check(sqlite3_bind_int64(statement_, index, value));
        return *this;
    }
    Query& bind(int index, const std::string& text) {
        check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8));
        return *this;
    }
    Query& bindBlob(int index, const std::string& bytes) {
        check(sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT));
        return *this;
    }
    // True while there is a row; false when done.
    bool step() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) {
            return true;
        }
        if (result == SQLITE_DONE) {
            return false;
        }
        lastError_ = sqlite3_extended_errcode(db_);
        if (lastError_ == SQLITE_CONSTRAINT_UNIQUE || lastError_ == SQLITE_CONSTRAINT_PRIMARYKEY) {
            throw UniqueClash();
        }
        fail(db_, "running a statement");
    }
    int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    uint32_t u32(int column) const { return static_cast<uint32_t>(integer(column)); }
    std::string text(int column) const {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
        const int size = sqlite3_column_bytes(statement_, column);
        return bytes ? std::string(bytes, static_cast<size_t>(size)) : std::string();
    }

    struct UniqueClash {};

private:
    void check(int result) {
        if (result != SQLITE_OK) {
            fail(db_, "binding a value");
        }
    }

    sqlite3_stmt* statement_;
    sqlite3* db_;
    int lastError_ = SQLITE_OK;
};

}  // namespace sqlitestore

using sqlitestore::fail;
using sqlitestore::Query;
using sqlitestore::Statement;

struct SqliteStore::Connection {
    explicit Connection(const std::string& path) {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
        if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
            const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
            sqlite3_close_v2(db);
            throw BoardStoreError("sqlite: opening the board's file: " + message);
        }
        try {
            sqlite3_extended_result_codes(db, 1);
            sqlite3_busy_timeout(db, BUSY_TIMEOUT_MS);
            setUp();
        } catch (...) {
            statements.clear();
            sqlite3_close_v2(db);
            throw;
        }
    }
    ~Connection() {
        statements.clear();
        sqlite3_close_v2(db);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void exec(const char* sql, const char* doing) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            fail(db, doing);
        }
    }

    // A transaction that rolls back unless committed; BEGIN IMMEDIATE takes
    // the write lock at once, so two writers never deadlock upgrading.
    class Transaction {
    public:
        Transaction(Connection& connection, bool writes) : connection_(connection) {
            connection_.exec(writes ? "BEGIN IMMEDIATE" : "BEGIN", "starting a transaction");
        }
        ~Transaction() {
            if (!sqlite3_get_autocommit(connection_.db)) {
                sqlite3_exec(connection_.db, "ROLLBACK", nullptr, nullptr, nullptr);
            }
        }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit() { connection_.exec("COMMIT", "committing"); }

    private:
        Connection& connection_;
    };

    sqlite3* db = nullptr;
    std::vector<std::unique_ptr<Statement>> statements;
    Statement* token = nullptr;
    Statement* claim = nullptr;
    Statement* pilotClash = nullptr;
    Statement* insertRun = nullptr;
    Statement* keepBest = nullptr;
    Statement* rank = nullptr;
    Statement* boardTotal = nullptr;
    Statement* boardPage = nullptr;
    Statement* playerBests = nullptr;
    Statement* replay = nullptr;
    Statement* mostRaced = nullptr;
    Statement* pilot = nullptr;
    Statement* keepPilot = nullptr;

private:
    Statement* prepare(const char* sql) {
        statements.push_back(std::make_unique<Statement>(db, sql));
        return statements.back().get();
    }

    void setUp() {
        // WAL lets readers go on while one writer commits. synchronous=FULL
        // syncs the log at every commit: a run answered as kept survives the
        // process killed and the machine losing power alike, and one sync is
        // nothing beside racing the run again.
        Statement journal(db, "PRAGMA journal_mode=WAL");
        {
            Query mode(journal);
            if (!mode.step() || mode.text(0) != "wal") {
                throw BoardStoreError("sqlite: the board's file cannot be kept in WAL mode");
            }
        }
        exec("PRAGMA synchronous=FULL", "setting the sync mode");
        exec("PRAGMA foreign_keys=ON", "turning on foreign keys");
        {
            Transaction schema(*this, true);
            exec(SCHEMA, "making the tables");
            schema.commit();
        }
        token = prepare(SQL_TOKEN);
        claim = prepare(SQL_CLAIM);
        pilotClash = prepare(SQL_PILOT_CLASH);
        insertRun = prepare(SQL_INSERT_RUN);
        keepBest = prepare(SQL_KEEP_BEST);
        rank = prepare(SQL_RANK);
        boardTotal = prepare(SQL_BOARD_TOTAL);
        boardPage = prepare(SQL_BOARD_PAGE);
        playerBests = prepare(SQL_PLAYER_BESTS);
        replay = prepare(SQL_REPLAY);
        mostRaced = prepare(SQL_MOST_RACED);
        pilot = prepare(SQL_PILOT);
        keepPilot = prepare(SQL_KEEP_PILOT);
    }
};

SqliteStore::SqliteStore(const std::string& path)
    : pool_(POOL_SIZE, [path] { return std::make_unique<Connection>(path); }) {
    if (path.empty()) {
        throw BoardStoreError("sqlite: no file named");
    }
    refuseNulBytes(path, "the board's file name");
    pool_.lease();  // the file and its tables are made now, not at the first request
}

SqliteStore::~SqliteStore() = default;

AddOutcome SqliteStore::addRun(const NewRun& run, const std::string& tokenHash,
                               const std::string& newTokenHash) {
    refuseNulBytes(run);
    refuseNulBytes(tokenHash, "the token's hash");
    refuseNulBytes(newTokenHash, "the new token's hash");
    auto connection = pool_.lease();
    Connection::Transaction transaction(*connection, true);
    AddOutcome outcome;
    {
        Query owner(*connection->token);
        if (owner.bind(1, run.player).step()) {
            const std::string claimedWith = owner.text(0);
            if (tokenHash.empty()) {
                outcome.status = AddStatus::NoToken;
                return outcome;
            }
            if (tokenHash != claimedWith) {
                outcome.status = AddStatus::WrongToken;
                return outcome;
            }
        } else {
            Query(*connection->claim)
                .bind(1, run.player)
                .bind(2, newTokenHash)
                .bind(3, run.submitted)
                .step();
            outcome.claimedName = true;
        }
    }
    if (Query(*connection->pilotClash).bind(1, run.circuit).bind(2, run.controlsKey).step()) {
        return AddOutcome{AddStatus::Duplicate};  // the claim rolls back with the rest
    }
    try {
        Query insert(*connection->insertRun);
        insert.bind(1, run.player).bind(2, run.circuit).bind(3, run.raceMs);
        insert.bind(4, run.lapMs[0]).bind(5, run.lapMs[1]).bind(6, run.lapMs[2]);
        insert.bind(7, run.controlsKey).bind(8, run.gameVersion).bind(9, run.submitted);
        insert.bindBlob(10, run.replay).step();
    } catch (const Query::UniqueClash&) {
        return AddOutcome{AddStatus::Duplicate};
    }
    outcome.run = sqlite3_last_insert_rowid(connection->db);
    {
        Query best(*connection->keepBest);
        best.bind(1, run.circuit)
            .bind(2, run.player)
            .bind(3, outcome.run)
            .bind(4, run.raceMs)
            .step();
        outcome.personalBest = sqlite3_changes(connection->db) == 1;
    }
    {
        Query rank(*connection->rank);
        if (!rank.bind(1, run.circuit).bind(2, run.player).step()) {
            throw BoardStoreError("sqlite: the player's best was not kept");
        }
        outcome.rank = rank.u32(0);
    }
    transaction.commit();
    return outcome;
}

namespace {

// Columns: a best's time, its run's laps, id, version and time sent, from `first` on.
void readRun(const Query& row, int first, BoardEntry& entry) {
    entry.raceMs = row.u32(first);
    for (int lap = 0; lap < 3; ++lap) {
        entry.lapMs[lap] = row.u32(first + 1 + lap);
    }
    entry.run = row.integer(first + 4);
    entry.gameVersion = row.text(first + 5);
    entry.submitted = row.text(first + 6);
}

}  // namespace

BoardPage SqliteStore::board(uint32_t circuit, uint32_t limit, uint32_t offset) {
    auto connection = pool_.lease();
    Connection::Transaction transaction(*connection, false);  // total and page from one snapshot
    BoardPage page;
    {
        Query total(*connection->boardTotal);
        total.bind(1, circuit).step();
        page.total = total.u32(0);
    }
    Query rows(*connection->boardPage);
    rows.bind(1, circuit).bind(2, limit).bind(3, offset);
    for (uint32_t rank = offset + 1; rows.step(); ++rank) {
        BoardEntry entry;
        entry.rank = rank;
        entry.player = rows.text(0);
        entry.circuit = circuit;
        readRun(rows, 1, entry);
        page.entries.push_back(std::move(entry));
    }
    return page;
}

std::vector<BoardEntry> SqliteStore::playerBests(const std::string& player) {
    refuseNulBytes(player, "the player's name");
    auto connection = pool_.lease();
    std::vector<BoardEntry> bests;
    Query rows(*connection->playerBests);
    rows.bind(1, player);
    while (rows.step()) {
        BoardEntry entry;
        entry.player = player;
        entry.circuit = rows.u32(0);
        readRun(rows, 1, entry);
        entry.rank = rows.u32(8);
        bests.push_back(std::move(entry));
    }
    return bests;
}

std::optional<std::string> SqliteStore::replayOf(int64_t run) {
    auto connection = pool_.lease();
    Query row(*connection->replay);
    if (!row.bind(1, run).step()) {
        return std::nullopt;
    }
    return row.text(0);
}

std::vector<RacedCircuit> SqliteStore::mostRaced(uint32_t limit) {
    auto connection = pool_.lease();
    std::vector<RacedCircuit> circuits;
    Query rows(*connection->mostRaced);
    rows.bind(1, limit);
    while (rows.step()) {
        circuits.push_back({rows.u32(0), rows.u32(1)});
    }
    return circuits;
}

std::optional<PilotRun> SqliteStore::pilotRun(uint32_t circuit) {
    auto connection = pool_.lease();
    Query row(*connection->pilot);
    if (!row.bind(1, circuit).step()) {
        return std::nullopt;
    }
    return PilotRun{row.u32(0), row.text(1)};
}

void SqliteStore::keepPilotRun(uint32_t circuit, const PilotRun& pilot) {
    refuseNulBytes(pilot.controlsKey, "the pilot's controls key");
    auto connection = pool_.lease();
    Connection::Transaction transaction(*connection, true);
    Query(*connection->keepPilot)
        .bind(1, circuit)
        .bind(2, pilot.raceMs)
        .bind(3, pilot.controlsKey)
        .step();
    transaction.commit();
}
