// Writes the seeds of fuzz_replay, fuzz/seeds/*.zxr: short runs of made-up
// but plausible driving, a race on the classic stopped before its first lap,
// one timed over three quick laps of circuit 48213, a time trial of three
// laps of circuit 7, and a race against hard opponents on circuit 512. Run it
// again, and commit what it writes, when the replay format changes:
//
//   make_replay_seeds fuzz/seeds
#include <cstdio>
#include <random>
#include <string>

#include "saves/replay_file.h"

namespace {

// Accelerating nearly all the time, steering in taps, braking and firing now
// and then, changing every 1 to 8 ticks.
void drive(Replay& replay, uint32_t ticks, uint32_t seed) {
    std::mt19937 random(seed);
    while (replay.controls.size() < ticks) {
        const uint32_t roll = random();
        uint8_t bits = roll % 10 == 0 ? ReplayControls::BRAKE : ReplayControls::ACCELERATE;
        bits |= (roll >> 4) % 3 == 0   ? ReplayControls::LEFT
                : (roll >> 4) % 3 == 1 ? ReplayControls::RIGHT
                                       : 0;
        bits |= (roll >> 8) % 40 == 0 ? ReplayControls::FIRE : 0;
        replay.controls.insert(replay.controls.end(), 1 + (roll >> 16) % 8, ReplayControls{bits});
    }
    replay.controls.resize(ticks);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_replay_seeds FOLDER\n");
        return 2;
    }
    Replay unfinished{"1.0.0", 0, 2024, {0, 0, 0}, 0, 0x9E3779B97F4A7C15, {}, 6};
    drive(unfinished, 600, 1);
    Replay timed{"1.0.0", 48213,       77, {8000, 8300, 8100}, 24400, 0x2545F4914F6CDD1D,
                 {},      std::nullopt};
    drive(timed, 1464, 2);
    Replay timeTrial{"1.0.0", 7, 4242, {9000, 8700, 8800}, 26500, 0x6A09E667F3BCC908, {}, 6};
    timeTrial.mode = RaceMode::TimeTrial;
    drive(timeTrial, 1590, 3);
    Replay hard{"1.0.0", 512, 9001, {8400, 8200, 8250}, 24850, 0xBB67AE8584CAA73B, {}, 6};
    hard.difficulty = Difficulty::Hard;
    drive(hard, 1491, 4);

    std::string failure;
    if (!writeReplayFile(argv[1], "classic-unfinished.zxr", unfinished, failure) ||
        !writeReplayFile(argv[1], "circuit-48213-timed.zxr", timed, failure) ||
        !writeReplayFile(argv[1], "circuit-7-time-trial.zxr", timeTrial, failure) ||
        !writeReplayFile(argv[1], "circuit-512-hard.zxr", hard, failure)) {
        std::fprintf(stderr, "make_replay_seeds: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
