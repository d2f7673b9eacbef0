#include "board/pilot_check.h"

#include <condition_variable>
#include <iostream>
#include <map>
#include <mutex>
#include <set>

#include "board/child_process.h"
#include "board/run_check.h"
#include "craft/opponent.h"
#include "session/pilot_race.h"

namespace {
std::mutex gPilotsMutex;
std::condition_variable gPilotWorkedOut;
// Those worked out or read since the board started, up to a bound: circuits
// are many and anyone may ask for any.
std::map<uint32_t, PilotRun> gPilots;
// Those being worked out now, each by one asker; others asking wait for it.
std::set<uint32_t> gWorkingOut;
constexpr size_t PILOTS_HELD_MAX = 100000;

std::optional<PilotRun> workOutPilot(uint32_t circuit, BoardStore& store,
                                     const std::string& childProgram) {
    if (std::optional<PilotRun> kept = store.pilotRun(circuit)) {
        return kept;
    }
    const ChildResult child =
        runChild(childProgram, {childProgram, "--pilot-run", std::to_string(circuit)}, "", {});
    const ReplayRead read = decodeReplay(child.output);
    if (!child.exited || child.exitStatus != 0 || read.status != ReplayStatus::Valid ||
        read.replay.raceMs == 0) {
        return std::nullopt;
    }
    const PilotRun pilot{read.replay.raceMs, controlsKeyOf(read.replay)};
    store.keepPilotRun(circuit, pilot);
    return pilot;
}
}  // namespace

std::optional<PilotRun> pilotRunFor(uint32_t circuit, BoardStore& store,
                                    const std::string& childProgram) {
    // A pilot asked for by many at once is worked out once, and not under
    // the lock: the boards of circuits known are read meanwhile.
    std::unique_lock<std::mutex> lock(gPilotsMutex);
    gPilotWorkedOut.wait(lock, [&] { return gWorkingOut.count(circuit) == 0; });
    const auto known = gPilots.find(circuit);
    if (known != gPilots.end()) {
        return known->second;
    }
    gWorkingOut.insert(circuit);
    lock.unlock();
    // Done, or failed and thrown: the next asker may try.
    struct Done {
        uint32_t circuit;
        ~Done() {
            {
                const std::lock_guard<std::mutex> relock(gPilotsMutex);
                gWorkingOut.erase(circuit);
            }
            gPilotWorkedOut.notify_all();
        }
    } done{circuit};
    const std::optional<PilotRun> pilot = workOutPilot(circuit, store, childProgram);
    if (pilot) {
        const std::lock_guard<std::mutex> relock(gPilotsMutex);
        if (gPilots.size() >= PILOTS_HELD_MAX) {
            gPilots.clear();
        }
        gPilots[circuit] = *pilot;
    }
    return pilot;
}

int pilotRunInThisProcess(uint32_t circuit, std::ostream& out) {
    for (Opponent& opponent : gOpponents) {
        opponent.model.objects.assign(GAME_CRAFT_PARTS, MeshObject());
        opponent.model.objectCount = static_cast<int32_t>(GAME_CRAFT_PARTS);
    }
    const std::string bytes = encodeReplay(pilotRace(circuit));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return out ? 0 : 1;
}
