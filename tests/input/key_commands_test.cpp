#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "hud/track_map.h"
#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "shell/window.h"

namespace {

class KeyCommands : public testing::Test {
protected:
    void SetUp() override {
        gCameraMode = 0;
        gCockpitView = 0;
        gQuitRequested = 0;
        releaseAllKeys();
    }
};

TEST_F(KeyCommands, CCyclesTheSevenChasePresets) {
    std::vector<int> seen;
    for (int i = 0; i < 8; ++i) {
        onKeyDown(VK_C);
        seen.push_back(gCameraMode);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 1}));
}

TEST_F(KeyCommands, VTogglesTheCockpitAndKeepsThePreset) {
    onKeyDown(VK_C);
    onKeyDown(VK_V);
    EXPECT_EQ(gCockpitView, 1);
    onKeyDown(VK_V);
    EXPECT_EQ(gCockpitView, 0);
    EXPECT_EQ(gCameraMode, 1);
}

TEST_F(KeyCommands, MTogglesTheTrackMapAndAHeldMDoesNotRepeat) {
    ASSERT_TRUE(trackMapShows());  // on from the start
    SDL_Event m{};
    m.type = SDL_KEYDOWN;
    m.key.keysym.sym = SDLK_m;
    handleWindowEvent(m);
    EXPECT_FALSE(trackMapShows());
    m.key.repeat = 1;
    handleWindowEvent(m);
    handleWindowEvent(m);
    EXPECT_FALSE(trackMapShows());
    onKeyDown(VK_M);
    EXPECT_TRUE(trackMapShows());
}

TEST_F(KeyCommands, OtherKeysAreIgnored) {
    for (int key : {int(VK_UP), int(VK_SPACE), 0x41, 0}) {
        onKeyDown(key);
    }
    EXPECT_EQ(gCameraMode, 0);
    EXPECT_EQ(gCockpitView, 0);
    EXPECT_EQ(gQuitRequested, 0);
}

TEST_F(KeyCommands, EscapeRequestsQuit) {
    onKeyDown(VK_ESCAPE);
    EXPECT_EQ(gQuitRequested, 1);
}

TEST(SdlKeys, MapToTheGamesVirtualKeys) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_c), VK_C);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_v), VK_V);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_m), VK_M);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_UP), VK_UP);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RIGHT), VK_RIGHT);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_SPACE), VK_SPACE);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_a), 0);
}

TEST(AsyncKeyState, HeldKeysStayDownUntilReleased) {
    releaseAllKeys();
    recordKeyDown(VK_UP);
    EXPECT_TRUE(getAsyncKeyState(VK_UP));
    EXPECT_TRUE(getAsyncKeyState(VK_UP));
    recordKeyUp(VK_UP);
    EXPECT_FALSE(getAsyncKeyState(VK_UP));
}

TEST(AsyncKeyState, ATapBetweenQueriesCountsOnce) {
    releaseAllKeys();
    recordKeyDown(VK_SPACE);
    recordKeyUp(VK_SPACE);
    EXPECT_TRUE(getAsyncKeyState(VK_SPACE));
    EXPECT_FALSE(getAsyncKeyState(VK_SPACE));
    // Each key keeps its own latch.
    recordKeyDown(VK_LEFT);
    recordKeyUp(VK_LEFT);
    EXPECT_FALSE(getAsyncKeyState(VK_RIGHT));
    EXPECT_TRUE(getAsyncKeyState(VK_LEFT));
}

TEST(AsyncKeyState, UnknownKeysAreNeverDown) {
    recordKeyDown(-1);
    recordKeyDown(999);
    EXPECT_FALSE(getAsyncKeyState(-1));
    EXPECT_FALSE(getAsyncKeyState(999));
}

}  // namespace
