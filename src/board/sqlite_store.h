// board: the board kept in one SQLite file, for a board that runs alone.
#pragma once

#include <string>

#include "board/board_store.h"
#include "board/connection_pool.h"

class SqliteStore : public BoardStore {
public:
    // Makes the file and its tables when missing. Throws BoardStoreError.
    explicit SqliteStore(const std::string& path);
    ~SqliteStore() override;

    std::string kind() const override { return "sqlite"; }
    AddOutcome addRun(const NewRun& run, const std::string& tokenHash,
                      const std::string& newTokenHash) override;
    BoardPage board(uint32_t circuit, uint32_t limit, uint32_t offset) override;
    std::vector<BoardEntry> playerBests(const std::string& player) override;
    std::optional<std::string> replayOf(int64_t run) override;
    std::vector<RacedCircuit> mostRaced(uint32_t limit) override;
    std::optional<PilotRun> pilotRun(uint32_t circuit) override;
    void keepPilotRun(uint32_t circuit, const PilotRun& pilot) override;

    struct Connection;

private:
    ConnectionPool<Connection> pool_;
};
