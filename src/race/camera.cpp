#include "race/camera.h"

#include <cmath>

CameraMode gCameraMode = 0;
int32_t gCockpitView = 0;

void cycleChaseCamera() {
    gCameraMode = (gCameraMode + 1) % static_cast<CameraMode>(CHASE_CAMERA_PRESETS.size());
}

void toggleCockpitView() {
    gCockpitView = gCockpitView == 1 ? 0 : 1;
}

const std::array<ChaseCameraPreset, 7> CHASE_CAMERA_PRESETS = {{
    {400, 400, 100},
    {800, -600, 200},
    {2000, 500, 1000},
    {1000, 1000, 2},
    {300, -400, 80},
    {100, 100, 1200},
    {100, 100, 90000},
}};

namespace {
// Through a volatile float: GCC 12's vectorizer at -O2 and above drops some of
// these conversions when several are packed together.
double narrow(double value) {
    volatile float narrowed = static_cast<float>(value);
    return static_cast<double>(narrowed);
}
}  // namespace

CameraView computeCameraView(const Vector3& position, float yaw, int32_t cameraMode,
                             int32_t cockpitView) {
    const double a = static_cast<double>(yaw);
    const double x = position.x;
    const double y = position.y;
    const double z = position.z;
    CameraView view;
    view.up = Vector3(0.0, 1.0, 0.0);
    if (cockpitView != 0) {
        // Just above the craft, looking 100 units ahead and slightly down.
        view.eye = Vector3(x, y + 10.0, z);
        view.target = Vector3(x + std::cos(a) * 100.0, y + 1.0, z + std::sin(a) * 100.0);
        return view;
    }
    const int32_t mode = cameraMode >= 0 && cameraMode < 7 ? cameraMode : 0;
    const ChaseCameraPreset& row = CHASE_CAMERA_PRESETS[static_cast<size_t>(mode)];
    // The chase view hands single-precision coordinates to gluLookAt.
    view.eye = Vector3(narrow(x - std::cos(a) * row.backX), narrow(row.height + y),
                       narrow(z - std::sin(a) * row.backZ));
    view.target = Vector3(narrow(x), narrow(y + 40.0), narrow(z));
    return view;
}
