#include "race/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/app_state.h"
#include "app/joystick.h"
#include "app/platform.h"
#include "audio/sound.h"
#include "race/camera.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/projectile.h"
#include "render/craft_draw.h"
#include "render/exhaust_glow.h"
#include "render/hud.h"
#include "render/scene.h"
#include "render/shadow.h"
#include "render/skybox.h"
#include "track/track.h"

int32_t gFrameCounter = 0;
JoystickState* gJoystickState = nullptr;

namespace {
constexpr double FIELD_OF_VIEW = 40.0;
constexpr double FIXED_ASPECT = 1.3;  // fixed, whatever the window's shape
constexpr double NEAR_PLANE = 1.0;
constexpr double FAR_PLANE = 1900000.0;

void loadProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW, FIXED_ASPECT, NEAR_PLANE, FAR_PLANE);
}

void loadCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
}
}  // namespace

void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // 1
    loadProjection();                                    // 2
    loadCamera();                                        // 3
    placeLights();                                       // 4
    updateOpponents();                                   // 5
    if (gFrameCounter % 3 == 0) {  // 6. exhaust glow update, every third frame
        gExhaust.update(gPlayer);
    }
    gProjectile.update();           // 7
    gTrack.updatePlayerProgress();  // 8
    applyNearWallDrag();            // 9
    // 10. sky box
    drawSkybox(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH);
    // 11. player's craft
    drawPlayerCraft(gPlayer, gCockpitView == 0);
    // 12. track
    gTrack.draw();
    if (gCockpitView == 0) {  // 13. player's shadow
        drawShadow(Vector3(gPlayer.position.x, 0.0, gPlayer.position.z), Vector3(140.0, 0.0, 40.0),
                   -gPlayer.yaw * 180.0f / 3.141592f);
    }
    // 14. opponents and their shadows
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        if (gOpponents[i].destroyed == 0) {
            drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
            // A square patch that does not turn with the craft.
            drawShadow(Vector3(gOpponents[i].position.x, 0.0, gOpponents[i].position.z),
                       Vector3(90.0, 0.0, 90.0), 0.0f);
        }
    }
    if (gCockpitView == 0) {  // 15. exhaust glow
        gExhaust.draw();
    }
    if (gProjectile.active == 1) {  // 16. projectile
        gProjectile.draw();
    }
    drawPositionIndicator();                                      // 17
    stepKeyboard();                                               // 18
    pollJoystick(gJoystickState);                                 // 19
    drawHud();                                                    // 20
    gFrameCounter = (gFrameCounter + 1) % FRAME_COUNTER_MODULUS;  // 21
    updateMusicStream();                                          // feeds the streamed music
    swapGameBuffers();                                            // 22
}
