#pragma once

// One flare: a textured square of the given half size in the local x-y plane,
// the flare texture running corner to corner. The caller binds the texture and
// sets the additive blending.
void drawFlareQuad(float halfSize);
