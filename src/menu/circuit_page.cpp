#include "menu/circuit_page.h"

#include <optional>
#include <utility>

#include "menu/player_settings.h"
#include "menu/world_page_items.h"
#include "saves/medals.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/race_records.h"
#include "world/world_fetch.h"

namespace {
void raceIn(uint32_t circuit, RaceMode mode, bool pilotsGhost) {
    chooseRaceMode(mode);
    flyThePilotsGhost(pilotsGhost);
    raceCircuit(circuit);
}

// A world board's run of the circuit, flown as the ghost of its time trial.
void raceTheWorldRun(uint32_t circuit, const Replay& run) {
    chooseRaceMode(RaceMode::TimeTrial);
    flyThisRunAsTheGhost(run);
    raceCircuit(circuit);
}
}  // namespace

void openCircuitPage(uint32_t circuit) {
    const WorldChoice choice = worldChoice();
    if (!choice.board.empty()) {
        fetchWorldPage(choice, circuit);
    }
}

std::string medalGoalText(uint32_t circuit) {
    const std::optional<MedalTimes> times = knownMedalTimes(circuit);
    if (!times) {
        return std::string();
    }
    const Medal held = medalHeld(circuit);
    const Medal goal = nextMedal(held).value_or(Medal::Pilot);
    return std::string(medalName(goal)) + " " + medalTimeText(medalTimeMs(*times, goal));
}

std::vector<MenuItem> circuitPageItems(uint32_t circuit, const std::function<void()>& back) {
    // No board chosen, no world lines, whatever was fetched before.
    const WorldPage world = worldChoice().board.empty() ? WorldPage() : worldPageNow(circuit);
    return circuitPageItems(circuit, back, world);
}

std::vector<MenuItem> circuitPageItems(uint32_t circuit, const std::function<void()>& back,
                                       const WorldPage& world) {
    std::vector<MenuItem> items = {
        {"Race", "", [circuit] { raceIn(circuit, RaceMode::Race, false); }, nullptr},
        {"Time trial", "", [circuit] { raceIn(circuit, RaceMode::TimeTrial, false); }, nullptr},
        {"Race the pilot's ghost", "", [circuit] { raceIn(circuit, RaceMode::TimeTrial, true); },
         nullptr},
        {"Watch the pilot", "", [circuit] { watchThePilot(circuit); }, nullptr},
    };
    if (const std::optional<MedalTimes> times = knownMedalTimes(circuit)) {
        const Medal held = medalHeld(circuit);
        for (const Medal medal : {Medal::Pilot, Medal::Gold, Medal::Silver, Medal::Bronze}) {
            // The medals held are marked, the pilot's beaten time among them.
            const bool won = held != Medal::None && held >= medal;
            items.push_back({std::string(medalName(medal)) + (won ? " (won)" : ""),
                             medalTimeText(medalTimeMs(*times, medal)), [] {}, nullptr});
        }
    }
    for (MenuItem& line :
         worldPageItems(world, [circuit](const Replay& run) { raceTheWorldRun(circuit, run); })) {
        items.push_back(std::move(line));
    }
    items.push_back({"Back", "", back, nullptr});
    return items;
}
