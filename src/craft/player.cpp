#include "craft/player.h"

#include <cmath>

#include "track/track.h"

Player gPlayer;

void placePlayerOnStartLine(Player& player) {
    player.position.set(gTrack.centreX(0.0), 40.0, gTrack.centreZ(0.0));
    player.speed = 0.0f;
    player.yaw = static_cast<float>(gTrack.startYaw());
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

void placePlayerOnTrack(Player& player, double t) {
    const int32_t laps = player.laps;
    placePlayerOnStartLine(player);
    player.laps = laps;
    player.position.set(gTrack.centreX(t), 40.0, gTrack.centreZ(t));
    // The track's forward (sin h, 0, cos h) is the craft's (cos yaw, 0, sin yaw).
    const double h = gTrack.heading(t);
    player.yaw = static_cast<float>(std::atan2(std::cos(h), std::sin(h)));
    const TrackPlace place = gTrack.locate(player.position, player.yaw);
    player.lambda = place.lambda;
    player.dist = place.dist;
    player.next_dist = place.next_dist;
}
