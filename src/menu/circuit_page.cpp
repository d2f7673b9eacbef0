#include "menu/circuit_page.h"

#include <optional>

#include "saves/medals.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/race_records.h"

namespace {
void raceIn(uint32_t circuit, RaceMode mode, bool pilotsGhost) {
    chooseRaceMode(mode);
    flyThePilotsGhost(pilotsGhost);
    raceCircuit(circuit);
}
}  // namespace

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
    items.push_back({"Back", "", back, nullptr});
    return items;
}
