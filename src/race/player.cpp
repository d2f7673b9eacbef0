#include "race/player.h"

#include "track/track.h"

Player gPlayer;

void placePlayerOnStartLine(Player& player) {
    player.position.set(gTrack.centreX(0.0), 40.0, gTrack.centreZ(0.0));
    player.speed = 0.0f;
    // Facing -x, the direction of increasing track parameter at the start line.
    player.yaw = static_cast<float>(GAME_PI);
    player.yawRate = 0.0f;
    player.steer = 0.0f;
    player.throttle = 0.0f;
    player.velocity.set(0.0, 0.0, 0.0);
    // Unknown until the first progress update.
    player.lambda = 0.0;
    player.dist = 0.0;
    player.next_dist = 0.0;
    player.laps = 0;
}
