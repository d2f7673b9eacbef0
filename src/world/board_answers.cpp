#include "world/board_answers.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {
// A number of the kind asked for, or nothing.
std::optional<uint32_t> countIn(const json& object, const char* key) {
    if (!object.is_object()) {
        return std::nullopt;
    }
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number_unsigned() ||
        found->get<uint64_t>() > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(found->get<uint64_t>());
}

std::string textIn(const json& object, const char* key) {
    if (!object.is_object()) {
        return "";
    }
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

json parsed(const BoardReply& reply) {
    return json::parse(reply.body, nullptr, false);  // discarded on any fault
}
}  // namespace

std::string shownText(const std::string& text, size_t most) {
    std::string shown;
    for (const char c : text) {
        if (shown.size() == most) {
            break;
        }
        shown += c >= ' ' && c < 0x7F ? c : '?';
    }
    return shown;
}

SentRun readSentRun(const BoardReply& reply) {
    SentRun sent;
    if (!reply.reached) {
        sent.reason = reply.problem;
        return sent;
    }
    const json body = parsed(reply);
    if (reply.status == 201) {
        const std::optional<uint32_t> rank = countIn(body, "rank");
        if (!rank) {
            sent.reason = "the board's answer is not one it should give";
            return sent;  // as unreachable: sent again later
        }
        sent.outcome = SentRun::Outcome::Accepted;
        sent.rank = *rank;
        const std::string token = textIn(body, "token");
        if (token.size() <= 256 &&
            token.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
            sent.token = token;
        }
        return sent;
    }
    // Refused for good (the run itself), or for now (the board in trouble):
    // those for now are kept and sent again.
    if (reply.status >= 400 && reply.status < 500 && reply.status != 429 && reply.status != 408) {
        sent.outcome = SentRun::Outcome::Refused;
        const std::string reason = shownText(textIn(body, "error"));
        sent.reason = reason.empty() ? "refused by the board (" + std::to_string(reply.status) + ")"
                                     : "refused: " + reason;
        return sent;
    }
    sent.reason = "the board could not take it now (" + std::to_string(reply.status) + ")";
    return sent;
}

WorldBoard readWorldBoard(const BoardReply& reply) {
    WorldBoard board;
    if (!reply.reached || reply.status != 200) {
        board.problem =
            reply.reached ? "the board said " + std::to_string(reply.status) : reply.problem;
        return board;
    }
    const json body = parsed(reply);
    const std::optional<uint32_t> total = countIn(body, "total");
    const auto entries = body.is_object() ? body.find("entries") : body.end();
    if (!total || entries == body.end() || !entries->is_array()) {
        board.problem = "the board's answer is not one it should give";
        return board;
    }
    for (const json& entry : *entries) {
        const std::optional<uint32_t> rank = countIn(entry, "rank");
        const std::optional<uint32_t> raceMs = countIn(entry, "race_ms");
        const std::optional<uint32_t> run = countIn(entry, "run");
        if (!rank || !raceMs || !run) {
            board.problem = "the board's answer is not one it should give";
            return board;
        }
        board.rows.push_back({*rank, shownText(textIn(entry, "player"), 24), *raceMs, *run});
    }
    board.total = *total;
    board.pilotMs = countIn(body, "pilot_ms");
    board.read = true;
    return board;
}

std::optional<uint32_t> readCircuitOfTheDay(const BoardReply& reply, std::string& problem) {
    if (!reply.reached || reply.status != 200) {
        problem = reply.reached ? "the board said " + std::to_string(reply.status) : reply.problem;
        return std::nullopt;
    }
    const std::optional<uint32_t> circuit = countIn(parsed(reply), "circuit");
    if (!circuit) {
        problem = "the board's answer is not one it should give";
    }
    return circuit;
}

std::optional<uint32_t> readPlayerRank(const BoardReply& reply, uint32_t circuit) {
    if (!reply.reached || reply.status != 200) {
        return std::nullopt;
    }
    const json body = parsed(reply);
    const auto bests = body.is_object() ? body.find("bests") : body.end();
    if (bests == body.end() || !bests->is_array()) {
        return std::nullopt;
    }
    for (const json& best : *bests) {
        if (countIn(best, "circuit") == circuit) {
            return countIn(best, "rank");
        }
    }
    return std::nullopt;
}
