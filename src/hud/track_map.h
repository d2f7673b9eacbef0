// The circuit seen from above in the bottom left corner, with every craft on it.
#pragma once

#include "hud/overlay_canvas.h"
#include "math/vector3.h"
#include "models/palette.h"

// The map's colours: a light outline of the centre line on a see-through
// shade, each opponent in the colour the race draws it, and the player in
// white, larger than the rest.
constexpr ColorCode TRACK_MAP_OUTLINE_COLOR = COLOR_LIGHT_GREY;
constexpr ColorCode TRACK_MAP_PLAYER_COLOR = COLOR_WHITE;
// Light enough to stand apart from the blue opponent's dot.
constexpr ColorCode TRACK_MAP_GHOST_COLOR = COLOR_SKY_BLUE;

// The shade the map is drawn on, in overlay units.
struct OverlayBox {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The circuit raced (gTrack) fitted into the bottom left corner, its longer
// side 176 units, world x to the right and world z down. The outline is made
// the first time it is needed and again whenever gTrack's circuit number or
// the screen's height changes; trackMapTrackChanged makes it again for a track changed in place.
OverlayBox trackMapBox();
// Where a point of the world's ground falls on the map; a point that would
// fall outside the shade is brought to its edge.
OverlayPoint trackMapPoint(double x, double z);
void trackMapTrackChanged();

// The shade, the outline, the ghost when there is one, the opponents still
// racing and the player, over whatever is drawn; nothing while the map is
// toggled off.
void drawTrackMap(const Vector3* ghost = nullptr);

// M: the map off or on again; it starts on.
void toggleTrackMap();
bool trackMapShows();
