// board: the board kept in PostgreSQL, which several board processes can share.
#pragma once

#include <string>

#include "board/board_store.h"
#include "board/connection_pool.h"

class PostgresStore : public BoardStore {
public:
    // uri is a libpq connection URI; the tables are made when missing.
    // Throws BoardStoreError when the database cannot be reached.
    explicit PostgresStore(const std::string& uri);
    ~PostgresStore() override;

    std::string kind() const override { return "postgresql"; }
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
    // Runs work on a sound connection: one found broken is dropped with the
    // idle rest, and a new one opened; a call that breaks on its connection
    // throws, and the next call connects again.
    template <typename Work>
    auto withConnection(Work&& work);

    ConnectionPool<Connection> pool_;
};
