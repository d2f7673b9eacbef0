// Writes a time trial the world board takes as a player's, for the world
// end-to-end test: the pilot's drive on CIRCUIT with one shot fired at a
// tick of VARIANT's choosing, so each variant is a run of its own.
#include <cstdlib>
#include <iostream>
#include <string>

#include "saves/replay_file.h"
#include "support/harness/board_runs.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: world_run_writer CIRCUIT VARIANT > FILE\n";
        return 2;
    }
    const auto circuit = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const auto variant = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    std::cout << encodeReplay(testsupport::pilotVariant(circuit, variant));
    return std::cout.good() ? 0 : 1;
}
