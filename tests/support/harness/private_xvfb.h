#pragma once

namespace testsupport {

// The screen a private Xvfb is started with.
struct XvfbScreen {
    int width = 1024;
    int height = 768;
    int depth = 24;
};

// Starts a private Xvfb (1024x768x24 unless told) on a display number it picks
// itself, points DISPLAY at it, asks Mesa for software rendering and OpenAL
// Soft for its null back end. The server is stopped when the program exits.
// Returns false when Xvfb could not be started, or when one is already running
// with another screen. Used by the tests and the benchmarks.
bool startPrivateXvfb(XvfbScreen screen = XvfbScreen());

}  // namespace testsupport
