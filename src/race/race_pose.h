#pragma once

#include <array>
#include <cstdint>

#include "craft/opponent.h"
#include "math/vector3.h"

// What the race's picture shows of one tick: where every craft and the shot
// are and which way they face, the place digit and the shot's spin. Taken
// when the world has moved and before the player's turn, which is the moment
// the picture has always shown.
struct RacePose {
    struct Craft {
        Vector3 position;
        double lambda = 0.0;
        int32_t destroyed = 0;
    };

    Vector3 playerPosition;
    float playerYaw = 0.0f;
    float playerYawRate = 0.0f;
    double playerLambda = 0.0;
    std::array<Craft, OPPONENT_COUNT> opponents{};
    Vector3 shotPosition;
    int32_t shotActive = 0;
    int32_t frameCounter = 0;
    int32_t racePosition = 0;
    int32_t finalPlace = 0;
    // Which race the pose belongs to: nothing is blended across a new grid.
    int32_t raceStart = 0;
};

// Where a player's craft is drawn, the way it faces and its turn (which
// banks it): all the picture shows of the ghost.
struct CraftPose {
    Vector3 position;
    float yaw = 0.0f;
    float yawRate = 0.0f;
};

CraftPose playerPoseOf(const RacePose& pose);
// A fraction t (0 to 1) of the way from one to the other, in a straight line.
CraftPose blendCraftPoses(const CraftPose& from, const CraftPose& to, double t);

// The race's drawn state as it stands now.
RacePose captureRacePose();

// The picture a fraction t (0 to 1) of the way from one tick to the next:
// positions and headings move in a straight line, an opponent that crosses
// the start line keeps going forwards, and everything that counts (wrecks,
// the shot appearing or going, the digit, the spin) is the later tick's.
RacePose blendRacePoses(const RacePose& from, const RacePose& to, double t);

// Puts a pose into the race for as long as the picture is drawn, then gives
// the race back exactly as it was: drawing reads the race's own globals.
class PoseOnStage {
public:
    explicit PoseOnStage(const RacePose& pose);
    ~PoseOnStage();
    PoseOnStage(const PoseOnStage&) = delete;
    PoseOnStage& operator=(const PoseOnStage&) = delete;

private:
    RacePose live_;
};

// The poses of the last two ticks, which the picture is drawn between.
class RacePoseHistory {
public:
    void record(const RacePose& pose);
    void clear();
    bool empty() const { return count_ == 0; }
    // 1 is the latest tick's own pose, 0 the one before; the race as it
    // stands when no tick has been recorded.
    RacePose at(double blend) const;

private:
    RacePose previous_;
    RacePose latest_;
    int count_ = 0;
};

extern RacePoseHistory gRacePoses;
