#pragma once

#include "screen/letterbox.h"

// The game always draws one 1024 x 768 picture, whatever the window's size.
// A window of exactly that size is drawn into directly; any other window gets
// the picture drawn off screen and then scaled into it between black bars.

// Chooses where the frames are drawn for a window (drawable) of this size and
// sets the picture's viewport. Needs the window's context current.
void fitPictureToWindow(int windowWidth, int windowHeight);

// True while frames are drawn off screen rather than straight into the window.
bool pictureIsOffScreen();

// Where in the window the picture is shown.
ScreenRect pictureInWindow();

// Copies an off-screen picture into the window's back buffer, scaled and
// centred with black bars, ready for the swap. Nothing to do when the picture
// was drawn into the window itself.
void presentPicture();

// Frees the off-screen picture while its context is still current; the next
// window starts drawing directly again.
void releasePicture();
