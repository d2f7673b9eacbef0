#pragma once

#include "screen/window_pointer.h"

// The race is drawn at the window's own pixels (its drawable size, so a
// HiDPI screen gets all of them) and its shape: a wider screen sees more to
// the sides. At a resolution scale below 100 % the race's 3D picture is drawn
// off screen at that share of the pixels and scaled up smoothly into the
// window, and the HUD is then drawn over it at full resolution.

// The resolution scales offered, in percent; 100 unless told.
constexpr int RESOLUTION_SCALES[] = {100, 75, 50};
void setResolutionScale(int percent);
int resolutionScale();

// Lays the picture over a drawable of this size: the race's view shape, the
// HUD's screen and the viewport; draws into whatever framebuffer is bound.
void layPictureOver(int drawableWidth, int drawableHeight);

// Lays the picture over the window's drawable, drawn into the window itself
// and, at a reduced scale, into an off-screen picture of its share. Needs the
// window's context current.
void fitPictureToWindow(int drawableWidth, int drawableHeight);

// True while the race's 3D picture is drawn off screen at a reduced scale.
bool pictureIsOffScreen();

// The window's drawable, all of which the picture fills.
ScreenRect pictureInWindow();
// The size the race's 3D picture is drawn at.
ScreenRect racePictureSize();

// Around the race's 3D picture: the off-screen picture bound with its
// viewport, then scaled up into the window, whose viewport the HUD then
// draws in. Nothing to do at 100 %.
void beginRacePicture();
void endRacePicture();

// Frees the off-screen picture while its context is still current; the next
// window starts drawing directly again.
void releasePicture();
