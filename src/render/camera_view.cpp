#include "render/camera_view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "craft/player.h"
#include "race/camera.h"

void applyCamera() {
    const CameraView view =
        computeCameraView(gPlayer.position, gPlayer.yaw, gCameraMode, gCockpitView);
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.target.x, view.target.y, view.target.z,
              view.up.x, view.up.y, view.up.z);
}
