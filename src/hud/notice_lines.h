#pragma once

#include <string>
#include <vector>

#include "saves/disk_notices.h"

// A notice broken at spaces into lines of at most `width` characters, at most
// `most` of them: the rest is cut, ending "...". The whole stays on standard
// error.
std::vector<std::string> noticeLines(const std::string& text, size_t width, size_t most);

// The notices in light grey, a line each, fading as they go, at the bottom
// between the track map and the clock's block, where neither the panels nor
// the pause menu reach; the newest lowest. Quiet: no box, no shade.
void drawNoticeLines(const std::vector<ShownNotice>& notices);
