// The private X server's screen: 1024 x 768 x 24 unless told, the size told
// otherwise, and never a second server of another size in one program. Each
// case starts its own server in a child, away from the one the other tests
// share.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/harness/private_xvfb.h"

namespace {
using testsupport::XvfbScreen;

// Leaves with 0 when SDL finds the screen expected on the server started.
[[noreturn]] void exitWithScreenSeen(XvfbScreen asked, XvfbScreen expected) {
    SDL_DisplayMode desktop{};
    const bool seen = testsupport::startPrivateXvfb(asked) && SDL_Init(SDL_INIT_VIDEO) == 0 &&
                      SDL_GetDesktopDisplayMode(0, &desktop) == 0;
    const int depth = static_cast<int>(SDL_BITSPERPIXEL(desktop.format));
    std::fprintf(stderr, "screen %d x %d x %d\n", desktop.w, desktop.h, depth);
    SDL_Quit();
    std::exit(seen && desktop.w == expected.width && desktop.h == expected.height &&
                      depth == expected.depth
                  ? 0
                  : 1);
}

// Leaves with 0 when a second start succeeds for the same screen only.
[[noreturn]] void exitWithSecondStarts() {
    const bool first = testsupport::startPrivateXvfb();
    const bool same = testsupport::startPrivateXvfb(XvfbScreen{1024, 768, 24});
    const bool other = testsupport::startPrivateXvfb(XvfbScreen{1600, 900, 24});
    std::exit(first && same && !other ? 0 : 1);
}
}  // namespace

TEST(PrivateXvfb, TheScreenIsTheOneAskedFor) {
    struct ScreenCase {
        const char* what;
        XvfbScreen asked;
        XvfbScreen expected;
    };
    const ScreenCase cases[] = {
        {"unless told", XvfbScreen(), XvfbScreen{1024, 768, 24}},
        {"told a wide one", XvfbScreen{1600, 900, 24}, XvfbScreen{1600, 900, 24}},
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EXIT(exitWithScreenSeen(c.asked, c.expected), testing::ExitedWithCode(0), "");
    }
}

TEST(PrivateXvfb, AStartedServerAnswersOnlyForItsOwnScreen) {
    EXPECT_EXIT(exitWithSecondStarts(), testing::ExitedWithCode(0), "");
}
