// board: the world board's server: runs raced again, kept, ranked and shown; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A run the board has raced again and found good, before it is kept.
struct NewRun {
    std::string player;
    uint32_t circuit = 0;
    uint32_t raceMs = 0;
    uint32_t lapMs[3] = {};
    // What makes two runs the same: the controls tick by tick, hashed. A
    // circuit keeps each only once, under whichever name sent it first.
    std::string controlsKey;
    std::string gameVersion;
    std::string replay;     // the .zxr bytes as sent
    std::string submitted;  // UTC, "2026-12-09T14:03:07Z"
};

// A kept run as the board shows it: on a circuit's board, ranked among each
// player's best, or among one player's bests.
struct BoardEntry {
    uint32_t rank = 0;
    std::string player;
    uint32_t circuit = 0;
    uint32_t raceMs = 0;
    uint32_t lapMs[3] = {};
    int64_t run = 0;
    std::string gameVersion;
    std::string submitted;
};

struct BoardPage {
    uint32_t total = 0;  // players with a run on the circuit
    std::vector<BoardEntry> entries;
};

struct RacedCircuit {
    uint32_t circuit = 0;
    uint32_t runs = 0;
};

// The pilot's own run of a circuit, kept once worked out: its time is shown
// beside the players', and its controls are refused as anyone's.
struct PilotRun {
    uint32_t raceMs = 0;
    std::string controlsKey;
};

enum class AddStatus {
    Added,
    // The name is claimed and no token, or another one's, came with the run.
    NoToken,
    WrongToken,
    // The circuit already holds a run with these controls.
    Duplicate,
};

struct AddOutcome {
    AddStatus status = AddStatus::Added;
    int64_t run = 0;
    uint32_t rank = 0;          // the player's best's rank on the circuit, after this run
    bool personalBest = false;  // this run is now the player's best there
    bool claimedName = false;   // the name was free and is now the sender's
};

// Where the board keeps its runs. Every call is one transaction, safe from
// many threads at once, and (for a shared database) from many processes.
class BoardStore {
public:
    virtual ~BoardStore() = default;
    // "sqlite" or "postgresql", as the health answer names it.
    virtual std::string kind() const = 0;

    // tokenHash is the hash of the token sent (empty when none was);
    // newTokenHash is what the name is claimed with if it is still free.
    virtual AddOutcome addRun(const NewRun& run, const std::string& tokenHash,
                              const std::string& newTokenHash) = 0;

    // Each player's best on circuit, fastest first, ties to the earlier run.
    virtual BoardPage board(uint32_t circuit, uint32_t limit, uint32_t offset) = 0;
    // Every circuit the player has a run on, each with their best and its rank.
    virtual std::vector<BoardEntry> playerBests(const std::string& player) = 0;
    virtual std::optional<std::string> replayOf(int64_t run) = 0;
    // Circuits with the most runs kept, most first, ties to the lower number.
    virtual std::vector<RacedCircuit> mostRaced(uint32_t limit) = 0;

    virtual std::optional<PilotRun> pilotRun(uint32_t circuit) = 0;
    virtual void keepPilotRun(uint32_t circuit, const PilotRun& pilot) = 0;
};

// A database that cannot be reached or answers with an error: the request is
// answered 503 and the board goes on.
struct BoardStoreError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "sqlite:PATH" (the file made when missing, in WAL mode) or
// "postgresql://..." / "postgres://..." (a libpq connection URI); the tables
// are made when missing. Throws BoardStoreError when it cannot be opened.
std::unique_ptr<BoardStore> openBoardStore(const std::string& database);
