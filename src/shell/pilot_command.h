#pragma once

#include <cstdint>
#include <ostream>

// --pilot N: the pilot's time trial of circuit N driven with no window, GL
// context or sound device, and written to out as a replay file (status 0).
// The game's data is read for the opponents' craft, whose parts draw their
// colours at the grid; with none found, or a run that never finished, one
// line on err and PILOT_FAILED_STATUS.
int pilotCommand(uint32_t circuit, std::ostream& out, std::ostream& err);

// --medals N: the pilot's time trial of circuit N run the same way, and the
// circuit's four medal times printed from it on out, fastest first, one a
// line ("gold    4:12.300"), after the circuit's name; status 0. Fails as
// pilotCommand does.
int medalsCommand(uint32_t circuit, std::ostream& out, std::ostream& err);

// A replay is bytes for a file or a pipe, never for a terminal.
bool refusePilotToTerminal(std::ostream& err);

constexpr int PILOT_FAILED_STATUS = 1;
