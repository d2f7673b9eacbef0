#include "race/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/app_state.h"
#include "app/joystick.h"
#include "app/platform.h"
#include "race/camera.h"
#include "race/player.h"
#include "race/projectile.h"
#include "render/exhaust_glow.h"
#include "render/hud.h"
#include "render/shadow.h"

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
    // 4. lights
    // 5. opponents move
    if (gFrameCounter % 3 == 0) {  // 6. exhaust glow update, every third frame
        gExhaust.update(gPlayer);
    }
    // 7. projectile moves
    // 8. player's progress along the track
    // 9. near-wall drag
    // 10. sky box
    // 11. player's craft
    // 12. track
    if (gCockpitView == 0) {  // 13. player's shadow
        drawShadow(Vector3(gPlayer.position.x, 0.0, gPlayer.position.z), Vector3(140.0, 0.0, 40.0),
                   -gPlayer.yaw * 180.0f / 3.141592f);
    }
    // 14. opponents and their shadows
    if (gCockpitView == 0) {  // 15. exhaust glow
        gExhaust.draw();
    }
    if (gProjectile.active == 1) {  // 16. projectile
        gProjectile.draw();
    }
    drawPositionIndicator();  // 17
    // 18. control step
    pollJoystick(gJoystickState);                                 // 19
    drawHud();                                                    // 20
    gFrameCounter = (gFrameCounter + 1) % FRAME_COUNTER_MODULUS;  // 21
    swapGameBuffers();                                            // 22
}
