#include "hud/notice_lines.h"

#include <algorithm>

#include "hud/hud.h"
#include "hud/overlay.h"
#include "hud/track_map.h"
#include "models/palette.h"

namespace {
const std::string CUT = "...";
constexpr float GAP = 12.0f;
constexpr float BOTTOM_MARGIN = 10.0f;
}  // namespace

std::vector<std::string> noticeLines(const std::string& text, size_t width, size_t most) {
    std::vector<std::string> lines;
    width = std::max(width, CUT.size() + 1);
    size_t at = 0;
    while (at < text.size() && lines.size() < most) {
        size_t end = std::min(text.size(), at + width);
        if (end < text.size()) {
            const size_t space = text.rfind(' ', end);
            if (space != std::string::npos && space > at) {
                end = space;
            }
        }
        lines.push_back(text.substr(at, end - at));
        at = std::min(text.size(), text.find_first_not_of(' ', end));
    }
    if (at < text.size() && !lines.empty()) {
        std::string& last = lines.back();
        last = last.substr(0, std::min(last.size(), width - CUT.size())) + CUT;
    }
    return lines;
}

void drawNoticeLines(const std::vector<ShownNotice>& notices) {
    if (notices.empty()) {
        return;
    }
    // Nothing but the map and the clock's block may share the bottom row of the
    // tallest pause menu page: the band is two lines, a notice a line.
    const OverlayCanvas& canvas = overlayCanvas();
    const float scale = overlayScale();
    const OverlayBox map = trackMapBox();
    const float left = (trackMapShows() ? map.right : 0.0f) + GAP * scale;
    const float right = clockBlockLeft() - GAP * scale;
    const size_t width = static_cast<size_t>(std::max(0.0f, right - left) / overlayTextWidth("M"));
    float baseline = canvas.height - BOTTOM_MARGIN * scale;
    beginOverlay();
    // The newest lowest; no more lines than the band holds.
    const size_t count = std::min(notices.size(), NOTICE_LINES);
    for (size_t i = notices.size(); i > notices.size() - count; --i) {
        const ShownNotice& notice = notices[i - 1];
        const std::vector<std::string> lines = noticeLines(notice.text, width, 1);
        const std::string line = lines.empty() ? std::string() : lines.front();
        applyColorAlpha(COLOR_LIGHT_GREY, notice.opacity);
        printAt((left + right - overlayTextWidth(line)) / 2.0f, baseline, "%s", line.c_str());
        baseline -= overlayLineHeight();
    }
    endOverlay();
}
