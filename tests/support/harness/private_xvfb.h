#pragma once

namespace testsupport {

// Starts a private Xvfb (1024x768x24) on a display number it picks itself,
// points DISPLAY at it, asks Mesa for software rendering and OpenAL Soft for
// its null back end. The server is stopped when the program exits. Returns
// false when Xvfb could not be started. Used by the tests and the benchmarks.
bool startPrivateXvfb();

}  // namespace testsupport
