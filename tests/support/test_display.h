#pragma once

#include <string>

namespace testsupport {

// Starts a private Xvfb (1024x768x24) the first time it is called, points
// DISPLAY at it and selects OpenAL Soft's null back end. The server is stopped
// when the test program exits. Never needs a GPU or a sound card.
void ensureTestDisplay();

// Path of a file in the source tree (data/, tests/).
std::string sourcePath(const std::string& relative);
// Public test inputs kept in tests/data (BMP Suite, real ASE exports).
std::string publicTestdataPath(const std::string& relative);

}  // namespace testsupport
