#pragma once

#include <cstdint>
#include <optional>

#include "saves/replay_file.h"

#include "race/race_pose.h"
#include "saves/difficulty.h"
#include "saves/race_mode.h"

// The ghost: the circuit's best race flown again beside every race of it,
// see-through. Its path is run from best-<circuit>.zxr before the race is
// lined up, so it never meets the live race: it makes no sound, hits and is
// hit by nothing, and takes no place.

// Before a race of mode is lined up on the circuit raced now: the circuit's
// best race of that mode, when one is kept (or the pilot's run, for a time
// trial against the pilot's ghost), run from its grid to its end and its craft's path
// kept (only again when the kept race has changed). This runs the race
// itself: when it says so, the caller lines up the live race afterwards. A
// best race that does not run to the end it names is said on standard error
// and flies no ghost. Does nothing unless replays are kept (the game, not
// tests). Returns whether the race was run.
bool prepareGhost(RaceMode mode = RaceMode::Race, Difficulty difficulty = Difficulty::Normal);

// "Race the pilot's ghost": time trials fly the pilot's run as their ghost
// instead of the player's best, until the player chooses a race or time
// trial again.
void flyThePilotsGhost(bool pilots);
bool thePilotsGhostFlies();

// A world board's run of a circuit: its time trials fly it as their ghost,
// instead of the player's best or the pilot's, until the player chooses a
// race or time trial again (flyThePilotsGhost says which). It is run like
// any other ghost, so one that does not run the same here flies none.
void flyThisRunAsTheGhost(const Replay& run);
bool aChosenRunFlies();

// G shows or hides it; it shows at first.
void toggleGhost();
bool ghostShows();
// Whether the circuit raced now has a ghost: the one flying, or a best race
// kept since, which flies from the next race on.
bool hasGhost();

// The ghost's craft in the picture, blend (0 to 1) of the way from the live
// race's tick before to its latest one; none when there is no ghost, it is
// hidden, or its race is over.
std::optional<CraftPose> ghostPoseNow(double blend);

// The race's time at the lap line last crossed less the ghost's at the same
// line (negative: ahead), for three seconds of race after the line.
std::optional<int32_t> ghostLapGapNow();

// The race's time less the ghost's, once the race is finished.
std::optional<int32_t> ghostFinishGap();

// How long the gap at a lap line shows.
constexpr uint32_t GHOST_GAP_SHOWS_MS = 3000;
