#include "render/frame_draw.h"

#include <GL/gl.h>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "hud/hud.h"
#include "hud/track_map.h"
#include "models/palette.h"
#include "race/camera.h"
#include "race/race_pose.h"
#include "render/camera_view.h"
#include "render/craft_draw.h"
#include "render/projection.h"
#include "render/scene.h"
#include "render/shadow.h"
#include "render/skybox.h"
#include "render/track_draw.h"
#include "track/track.h"

namespace {
void clearScreen() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void loadCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
}

void drawRacePictureOnce(const CraftPose* ghost, bool flicker);

bool playerCraftShows() {
    return gCockpitView == 0;  // from the cockpit the craft is not seen
}

void drawSky() {
    drawSkybox(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH);
}

void drawPlayerShadow() {
    drawShadow(Vector3(gPlayer.position.x, 0.0, gPlayer.position.z), Vector3(140.0, 0.0, 40.0),
               -gPlayer.yaw * 180.0f / 3.141592f);
}

void drawOpponentsAndShadows() {
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        if (gOpponents[i].destroyed == 0) {
            drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
            // A square patch that does not turn with the craft.
            drawShadow(Vector3(gOpponents[i].position.x, 0.0, gOpponents[i].position.z),
                       Vector3(90.0, 0.0, 90.0), 0.0f);
        }
    }
}
}  // namespace

void drawRaceScene() {
    drawRaceSceneWithGhost(nullptr);
}

void drawRaceSceneWithGhost(const CraftPose* ghost) {
    drawRacePicture(ghost);
    drawPositionIndicator();
}

void drawRacePicture(const CraftPose* ghost) {
    drawRacePictureOnce(ghost, true);
}

void drawFrameToWarmUp() {
    // One pixel is enough: the driver builds its programs for each draw
    // wherever it lands, and filling the whole frame would only take the
    // cores from the window being shown.
    GLint box[4] = {};
    glGetIntegerv(GL_SCISSOR_BOX, box);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    drawRacePictureOnce(nullptr, false);
    drawPositionIndicator();
    drawHud();
    drawTrackMap(nullptr);
    glFinish();  // the driver draws only when the frame is flushed
    glDisable(GL_SCISSOR_TEST);
    glScissor(box[0], box[1], box[2], box[3]);
}

namespace {
void drawRacePictureOnce(const CraftPose* ghost, bool flicker) {
    clearScreen();
    loadGameProjection();
    loadCamera();
    placeLights();
    drawPlayerCraft(gPlayer, playerCraftShows());
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    // The sky fills only what the craft and the track left uncovered. The
    // opponents are opaque and may come after it; the shadows, the glow, the
    // shot and the digit blend with the sky, so they must.
    drawSky();
    if (playerCraftShows()) {
        drawPlayerShadow();
    }
    drawOpponentsAndShadows();
    if (ghost != nullptr) {
        drawGhostCraft(*ghost, gPlayer);
    }
    if (playerCraftShows()) {
        gExhaust.draw(flicker);
    }
    if (gProjectile.active == 1) {
        gProjectile.draw();
    }
}
}  // namespace
