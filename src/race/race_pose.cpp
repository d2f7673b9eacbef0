#include "race/race_pose.h"

#include "craft/player.h"
#include "craft/projectile.h"
#include "race/race_time.h"
#include "race/standings.h"
#include "track/track.h"

RacePoseHistory gRacePoses;

namespace {
Vector3 lerp(const Vector3& a, const Vector3& b, double t) {
    return Vector3(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t);
}

float lerp(float a, float b, double t) {
    return static_cast<float>(a + (b - a) * t);
}

// An opponent's parameter wraps back to 0 at the line; the way it is drawn
// facing must not swing round the whole lap in between.
double lerpParameter(double from, double to, double t) {
    if (to - from < -TRACK_PERIOD / 2.0) {
        to += TRACK_PERIOD;
    } else if (to - from > TRACK_PERIOD / 2.0) {
        to -= TRACK_PERIOD;
    }
    return from + (to - from) * t;
}

void applyRacePose(const RacePose& pose) {
    gPlayer.position = pose.playerPosition;
    gPlayer.yaw = pose.playerYaw;
    gPlayer.yawRate = pose.playerYawRate;
    gPlayer.lambda = pose.playerLambda;
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        gOpponents[i].position = pose.opponents[i].position;
        gOpponents[i].lambda = pose.opponents[i].lambda;
        gOpponents[i].destroyed = pose.opponents[i].destroyed;
    }
    gProjectile.position = pose.shotPosition;
    gProjectile.active = pose.shotActive;
    gFrameCounter = pose.frameCounter;
    gRacePosition = pose.racePosition;
    gFinalPlace = pose.finalPlace;
}
}  // namespace

RacePose captureRacePose() {
    RacePose pose;
    pose.playerPosition = gPlayer.position;
    pose.playerYaw = gPlayer.yaw;
    pose.playerYawRate = gPlayer.yawRate;
    pose.playerLambda = gPlayer.lambda;
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        pose.opponents[i].position = gOpponents[i].position;
        pose.opponents[i].lambda = gOpponents[i].lambda;
        pose.opponents[i].destroyed = gOpponents[i].destroyed;
    }
    pose.shotPosition = gProjectile.position;
    pose.shotActive = gProjectile.active;
    pose.frameCounter = gFrameCounter;
    pose.racePosition = gRacePosition;
    pose.finalPlace = gFinalPlace;
    pose.raceStart = gRaceStarts;
    return pose;
}

CraftPose playerPoseOf(const RacePose& pose) {
    CraftPose craft;
    craft.position = pose.playerPosition;
    craft.yaw = pose.playerYaw;
    craft.yawRate = pose.playerYawRate;
    return craft;
}

CraftPose blendCraftPoses(const CraftPose& from, const CraftPose& to, double t) {
    CraftPose craft;
    craft.position = lerp(from.position, to.position, t);
    craft.yaw = lerp(from.yaw, to.yaw, t);
    craft.yawRate = lerp(from.yawRate, to.yawRate, t);
    return craft;
}

RacePose blendRacePoses(const RacePose& from, const RacePose& to, double t) {
    if (from.raceStart != to.raceStart || t >= 1.0) {
        return to;
    }
    if (t <= 0.0) {
        t = 0.0;
    }
    RacePose pose = to;
    pose.playerPosition = lerp(from.playerPosition, to.playerPosition, t);
    pose.playerYaw = lerp(from.playerYaw, to.playerYaw, t);
    pose.playerYawRate = lerp(from.playerYawRate, to.playerYawRate, t);
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        pose.opponents[i].position = lerp(from.opponents[i].position, to.opponents[i].position, t);
        pose.opponents[i].lambda =
            lerpParameter(from.opponents[i].lambda, to.opponents[i].lambda, t);
    }
    // A shot just fired appears where it was fired, not flying in from
    // where the last one went out.
    if (from.shotActive != 0 && to.shotActive != 0) {
        pose.shotPosition = lerp(from.shotPosition, to.shotPosition, t);
    }
    return pose;
}

PoseOnStage::PoseOnStage(const RacePose& pose) : live_(captureRacePose()) {
    applyRacePose(pose);
}

PoseOnStage::~PoseOnStage() {
    applyRacePose(live_);
}

void RacePoseHistory::record(const RacePose& pose) {
    previous_ = count_ > 0 ? latest_ : pose;
    latest_ = pose;
    count_ = count_ < 2 ? count_ + 1 : 2;
}

void RacePoseHistory::clear() {
    count_ = 0;
}

RacePose RacePoseHistory::at(double blend) const {
    if (count_ == 0) {
        return captureRacePose();
    }
    return blendRacePoses(previous_, latest_, blend);
}
