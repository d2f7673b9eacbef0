#include "craft/player.h"
#include "track/track.h"

double updatePlayerProgress(Player& player) {
    const TrackPlace place = gTrack.locate(player.position, player.yaw);
    // No craft covers half a lap in a frame: a jump that large is the start line.
    const double jump = place.lambda - player.lambda;
    if (jump < -TRACK_PERIOD / 2.0) {
        player.laps += 1;
    } else if (jump > TRACK_PERIOD / 2.0) {
        player.laps -= 1;
    }
    player.lambda = place.lambda;
    player.dist = place.dist;
    player.next_dist = place.next_dist;
    return player.lambda;
}
