#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// Screenshots as PNG files in a folder of their own, each named for the local
// time it was taken and never written over another file.

// Where screenshots are kept: <data folder>/screenshots, or empty with no data folder.
std::string screenshotFolder();

// "zentrix-YYYYMMDD-HHMMSS.png" for the first shot of that second, then
// "zentrix-YYYYMMDD-HHMMSS-2.png", -3, ... for copy 2, 3, ...
std::string screenshotName(const std::tm& localTime, int copy);

// A width x height picture of RGB bytes, its rows from the bottom up (as
// glReadPixels gives them) with no padding between them.
struct RgbPicture {
    int width = 0;
    int height = 0;
    const uint8_t* rowsBottomUp = nullptr;
};

// Makes the folder when it is missing and saves the picture in it under the
// first free name for the local time of now, top row first as PNG wants.
// The PNG is written to a temporary in the folder and then renamed, so that a
// failed write leaves no file behind. Returns the new file's path, or empty
// with failure saying what went wrong.
std::string saveScreenshot(const std::string& folder, std::time_t now, const RgbPicture& picture,
                           std::string& failure);
