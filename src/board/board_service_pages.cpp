// The pages a browser reads: the same board as the API, as HTML.
#include <ctime>
#include <list>
#include <mutex>
#include <optional>

#include "board/board_pages.h"
#include "board/board_service.h"
#include "board/circuit_of_the_day.h"
#include "board/decimal_text.h"
#include "board/pilot_check.h"
#include "track/circuit_generator.h"
#include "track/circuit_map.h"

namespace {
constexpr uint32_t MOST_RACED_SHOWN = 20;
constexpr uint32_t PAGE_ROWS_DEFAULT = 50;
constexpr uint32_t PAGE_ROWS_MAX = 100;
constexpr size_t MAPS_HELD = 64;

std::mutex gMapsMutex;
std::list<std::pair<uint32_t, std::string>> gMaps;  // most recently drawn first

// Growing a circuit takes a few milliseconds: the maps asked for most are kept.
std::string mapOf(uint32_t circuit) {
    {
        const std::lock_guard<std::mutex> lock(gMapsMutex);
        for (auto it = gMaps.begin(); it != gMaps.end(); ++it) {
            if (it->first == circuit) {
                gMaps.splice(gMaps.begin(), gMaps, it);
                return it->second;
            }
        }
    }
    std::string svg = circuitMapSvg(growCircuit(circuit).track);
    const std::lock_guard<std::mutex> lock(gMapsMutex);
    gMaps.emplace_front(circuit, svg);
    if (gMaps.size() > MAPS_HELD) {
        gMaps.pop_back();
    }
    return svg;
}

HttpAnswer htmlAnswer(int status, std::string body) {
    HttpAnswer answer;
    answer.status = status;
    answer.contentType = "text/html; charset=utf-8";
    answer.body = std::move(body);
    return answer;
}

std::optional<uint32_t> queryNumber(const HttpAsk& ask, const std::string& name) {
    const auto found = ask.query.find(name);
    return found == ask.query.end() ? std::nullopt : decimalIn(found->second);
}
}  // namespace

HttpAnswer BoardService::page(const HttpAsk& ask) {
    const std::string& path = ask.path;
    if (path == "/") {
        const CircuitOfTheDay today = circuitOfTheDay(std::time(nullptr));
        return htmlAnswer(200,
                          homePage(today.date, today.circuit, store_.mostRaced(MOST_RACED_SHOWN)));
    }
    const std::string circuits = "/circuits/";
    if (path.compare(0, circuits.size(), circuits) == 0) {
        if (const std::optional<uint32_t> circuit = decimalIn(path.substr(circuits.size()))) {
            const uint32_t limit =
                std::min(queryNumber(ask, "limit").value_or(PAGE_ROWS_DEFAULT), PAGE_ROWS_MAX);
            const uint32_t offset = queryNumber(ask, "offset").value_or(0);
            const std::string key = "page " + std::to_string(*circuit) + " " +
                                    std::to_string(limit) + " " + std::to_string(offset);
            if (std::optional<std::string> kept = answers_.find(key)) {
                return htmlAnswer(200, std::move(*kept));
            }
            const uint64_t generation = answers_.generation(*circuit);
            const std::optional<PilotRun> pilot =
                pilotRunFor(*circuit, store_, options_.childProgram);
            std::string page = circuitPage(
                *circuit, mapOf(*circuit), store_.board(*circuit, limit, offset),
                pilot ? std::optional<uint32_t>(pilot->raceMs) : std::nullopt, offset, limit);
            if (pilot) {
                answers_.keep(key, *circuit, generation, page);
            }
            return htmlAnswer(200, std::move(page));
        }
    }
    const std::string players = "/players/";
    if (path.compare(0, players.size(), players) == 0) {
        const std::string player = path.substr(players.size());
        const std::vector<BoardEntry> bests = store_.playerBests(player);
        if (!bests.empty()) {
            return htmlAnswer(200, playerPage(player, bests));
        }
    }
    return htmlAnswer(404, notFoundPage(path));
}
