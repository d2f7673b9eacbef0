#include "board/board_service.h"

#include <ctime>
#include <nlohmann/json.hpp>
#include <optional>

#include "board/board_token.h"
#include "board/circuit_of_the_day.h"
#include "board/decimal_text.h"
#include "board/pilot_check.h"
#include "board/run_check.h"
#include "saves/player_name.h"

using nlohmann::json;

namespace {
constexpr uint32_t BOARD_LIMIT_DEFAULT = 20;
constexpr uint32_t BOARD_LIMIT_MAX = 100;

// The token in "Bearer TOKEN", or "" when the header is absent or another kind.
std::string bearerToken(const std::string& authorization) {
    const std::string bearer = "Bearer ";
    return authorization.compare(0, bearer.size(), bearer) == 0
               ? authorization.substr(bearer.size())
               : "";
}

json lapsOf(const uint32_t lapMs[3]) {
    return json::array({lapMs[0], lapMs[1], lapMs[2]});
}

// A board's rows leave out the circuit, a player's the player: each is
// said once above them. Built as it is sent, as boards are read most.
enum class Said { NoCircuit, NoPlayer };

json entryJson(const BoardEntry& entry, Said said) {
    json row = {
        {"rank", entry.rank}, {"race_ms", entry.raceMs},           {"laps_ms", lapsOf(entry.lapMs)},
        {"run", entry.run},   {"game_version", entry.gameVersion}, {"submitted", entry.submitted}};
    if (said == Said::NoCircuit) {
        row["player"] = entry.player;
    } else {
        row["circuit"] = entry.circuit;
    }
    return row;
}

// Names and versions are a stranger's: JSON keeps bytes that are not UTF-8
// as the replacement character rather than failing the whole answer.
std::string jsonText(const json& body) {
    return body.dump(-1, ' ', false, json::error_handler_t::replace);
}

HttpAnswer databaseUnavailable() {
    HttpAnswer unavailable = errorAnswer(503, "the board's database is unavailable");
    unavailable.headers.emplace_back("Retry-After", "5");
    return unavailable;
}

HttpAnswer jsonAnswer(int status, const json& body) {
    HttpAnswer answer;
    answer.status = status;
    answer.body = jsonText(body);
    return answer;
}
}  // namespace

HttpAnswer errorAnswer(int status, const std::string& reason) {
    HttpAnswer answer;
    answer.status = status;
    answer.body = jsonText(json{{"error", reason}});
    return answer;
}

BoardService::BoardService(BoardStore& store, BoardServiceOptions options)
    : store_(store),
      options_(std::move(options)),
      rateLimit_(options_.runsPerMinute),
      answers_(ANSWERS_FRESH_FOR, ANSWERS_HELD_MAX) {}

HttpAnswer BoardService::answer(const HttpAsk& ask) {
    try {
        const std::string& path = ask.path;
        if (path == "/api/v1/runs") {
            return ask.method == "POST" ? sendRun(ask)
                                        : errorAnswer(405, "runs are sent with POST");
        }
        if (ask.method != "GET" && ask.method != "HEAD") {
            return errorAnswer(405, "only GET here");
        }
        if (path == "/api/v1/health") {
            return jsonAnswer(200, {{"ok", true}, {"database", store_.kind()}});
        }
        if (path == "/api/v1/today") {
            const CircuitOfTheDay today = circuitOfTheDay(std::time(nullptr));
            return jsonAnswer(200, {{"date", today.date}, {"circuit", today.circuit}});
        }
        const std::string circuits = "/api/v1/circuits/";
        if (startsWith(path, circuits) && endsWith(path, "/board")) {
            const std::string number =
                path.substr(circuits.size(), path.size() - circuits.size() - 6);
            if (const std::optional<uint32_t> circuit = decimalIn(number)) {
                return circuitBoard(*circuit, ask);
            }
            return errorAnswer(404, "no such circuit: circuits are 0 to 4294967295");
        }
        const std::string runs = "/api/v1/runs/";
        if (startsWith(path, runs) && endsWith(path, ".zxr")) {
            return runReplay(path.substr(runs.size(), path.size() - runs.size() - 4));
        }
        const std::string players = "/api/v1/players/";
        if (startsWith(path, players)) {
            return playerBests(path.substr(players.size()));
        }
        return page(ask);
    } catch (const BoardStoreError&) {
        return databaseUnavailable();
    }
}

std::optional<HttpAnswer> BoardService::refusalBeforeRacing(const HttpAsk& ask) {
    if (const unsigned wait = rateLimit_.secondsToWait(ask.address)) {
        HttpAnswer tooMany = errorAnswer(
            429, "too many runs from one address: " + std::to_string(options_.runsPerMinute) +
                     " a minute");
        tooMany.headers.emplace_back("Retry-After", std::to_string(wait));
        return tooMany;
    }
    if (ask.body.size() > RUN_FILE_MAX_BYTES) {
        return errorAnswer(413, "a run is at most 65536 bytes");
    }
    if (!isPlayerName(ask.player)) {
        return errorAnswer(400,
                           "X-Zentrix-Player must be a name of 1 to 24 letters, digits, '-', '_', "
                           "'.' and spaces inside");
    }
    if (!ask.authorization.empty() && bearerToken(ask.authorization).empty()) {
        return errorAnswer(401, "Authorization must be \"Bearer TOKEN\"");
    }
    const RunCheck read = readRunFile(ask.body);
    if (read.status != 0) {
        return errorAnswer(read.status, read.reason);
    }
    return std::nullopt;
}

HttpAnswer BoardService::sendRun(const HttpAsk& ask) {
    if (std::optional<HttpAnswer> refused = refusalBeforeRacing(ask)) {
        return *refused;
    }
    return raceAndKeep(ask);
}

HttpAnswer BoardService::raceAndKeep(const HttpAsk& ask) {
    try {
        return raceAndKeepIn(ask);
    } catch (const BoardStoreError&) {
        return databaseUnavailable();
    }
}

HttpAnswer BoardService::raceAndKeepIn(const HttpAsk& ask) {
    const std::string token = bearerToken(ask.authorization);
    RunCheck check = checkRun(ask.body, options_.childProgram);
    if (check.status != 0) {
        return errorAnswer(check.status, check.reason);
    }
    const Replay& replay = check.replay;
    const std::optional<PilotRun> pilot =
        pilotRunFor(replay.circuit, store_, options_.childProgram);
    if (pilot && pilot->controlsKey == check.controlsKey) {
        return errorAnswer(409, "the game's own pilot's run: the board counts players' runs");
    }

    NewRun run;
    run.player = ask.player;
    run.circuit = replay.circuit;
    run.raceMs = check.raceMs;
    std::copy(check.lapMs, check.lapMs + 3, run.lapMs);
    run.controlsKey = check.controlsKey;
    run.gameVersion = replay.gameVersion;
    run.replay = ask.body;
    run.submitted = utcTimestamp(std::time(nullptr));
    const std::string newToken = newBoardToken();
    if (newToken.empty()) {
        return errorAnswer(503, "the board has no random numbers for a token now");
    }
    const AddOutcome added = store_.addRun(run, boardTokenHash(token), boardTokenHash(newToken));
    switch (added.status) {
        case AddStatus::NoToken:
            return errorAnswer(401, "the name is claimed: send its token as \"Bearer TOKEN\"");
        case AddStatus::WrongToken:
            return errorAnswer(403, "the name is claimed, and not with this token");
        case AddStatus::Duplicate:
            return errorAnswer(409, "the board already has this run");
        case AddStatus::Added:
            answers_.forgetCircuit(run.circuit);
            break;
    }
    json body = {{"run", added.run},      {"circuit", run.circuit},
                 {"race_ms", run.raceMs}, {"laps_ms", lapsOf(run.lapMs)},
                 {"rank", added.rank},    {"personal_best", added.personalBest}};
    if (added.claimedName) {
        body["token"] = newToken;
    }
    return jsonAnswer(201, body);
}

HttpAnswer BoardService::circuitBoard(uint32_t circuit, const HttpAsk& ask) {
    uint32_t limit = BOARD_LIMIT_DEFAULT;
    uint32_t offset = 0;
    const auto limitText = ask.query.find("limit");
    if (limitText != ask.query.end()) {
        const std::optional<uint32_t> asked = decimalIn(limitText->second);
        if (!asked) {
            return errorAnswer(400, "limit must be a number, at most 100");
        }
        limit = std::min(*asked, BOARD_LIMIT_MAX);
    }
    const auto offsetText = ask.query.find("offset");
    if (offsetText != ask.query.end()) {
        const std::optional<uint32_t> asked = decimalIn(offsetText->second);
        if (!asked) {
            return errorAnswer(400, "offset must be a number");
        }
        offset = *asked;
    }
    const std::string key = "board " + std::to_string(circuit) + " " + std::to_string(limit) + " " +
                            std::to_string(offset);
    HttpAnswer answer;
    if (std::optional<std::string> kept = answers_.find(key)) {
        answer.body = std::move(*kept);
        return answer;
    }
    const uint64_t generation = answers_.generation(circuit);
    const BoardPage board = store_.board(circuit, limit, offset);
    json entries = json::array();
    for (const BoardEntry& entry : board.entries) {
        entries.push_back(entryJson(entry, Said::NoCircuit));
    }
    const std::optional<PilotRun> pilot = pilotRunFor(circuit, store_, options_.childProgram);
    answer.body = jsonText(json{{"circuit", circuit},
                                {"total", board.total},
                                {"entries", entries},
                                {"pilot_ms", pilot ? json(pilot->raceMs) : json(nullptr)}});
    // Not kept without the pilot: it is worked out again on the next read.
    if (pilot) {
        answers_.keep(key, circuit, generation, answer.body);
    }
    return answer;
}

HttpAnswer BoardService::playerBests(const std::string& player) {
    if (!isPlayerName(player)) {
        return errorAnswer(404, "no such player");
    }
    const std::vector<BoardEntry> bests = store_.playerBests(player);
    if (bests.empty()) {
        return errorAnswer(404, "no such player");
    }
    json circuits = json::array();
    for (const BoardEntry& entry : bests) {
        circuits.push_back(entryJson(entry, Said::NoPlayer));
    }
    HttpAnswer answer;
    answer.body = jsonText(json{{"player", player}, {"bests", circuits}});
    return answer;
}

HttpAnswer BoardService::runReplay(const std::string& id) {
    const std::optional<uint32_t> run = decimalIn(id);
    std::optional<std::string> bytes;
    if (run) {
        bytes = store_.replayOf(*run);
    }
    if (!bytes) {
        return errorAnswer(404, "no such run");
    }
    HttpAnswer answer;
    answer.contentType = "application/octet-stream";
    answer.body = std::move(*bytes);
    answer.headers.emplace_back("Content-Disposition",
                                "attachment; filename=\"run-" + id + ".zxr\"");
    return answer;
}
