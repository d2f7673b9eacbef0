#pragma once

#include <array>
#include <cstdint>

#include "math/vector3.h"

struct ChaseCameraPreset {
    int32_t backX;
    int32_t backZ;
    int32_t height;
};

// The chase-camera preset, 0..6; key C cycles it.
using CameraMode = int32_t;
extern CameraMode gCameraMode;
// 1 while the camera rides in the craft; key V toggles it.
extern int32_t gCockpitView;

// Key C: the next of the seven chase views, after the last the first again.
void cycleChaseCamera();
// Key V: into the cockpit, or back out to the chase view.
void toggleCockpitView();

// The seven chase views, indexed by CameraMode; key C cycles them.
extern const std::array<ChaseCameraPreset, 7> CHASE_CAMERA_PRESETS;

struct CameraView {
    Vector3 eye;
    Vector3 target;
    Vector3 up;
};

// Where the camera looks from and at, for a craft at position heading yaw.
CameraView computeCameraView(const Vector3& position, float yaw, int32_t cameraMode,
                             int32_t cockpitView);
