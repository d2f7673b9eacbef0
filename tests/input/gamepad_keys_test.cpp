#include "input/gamepad_keys.h"

#include <gtest/gtest.h>

#include "input/key_state.h"

namespace {

bool sameKeys(const KeyboardInput& a, const KeyboardInput& b) {
    return a.up == b.up && a.down == b.down && a.left == b.left && a.right == b.right &&
           a.space == b.space;
}

KeyboardInput keys(bool up, bool down, bool left, bool right, bool space) {
    KeyboardInput k;
    k.up = up;
    k.down = down;
    k.left = left;
    k.right = right;
    k.space = space;
    return k;
}

TEST(PadKeys, AnIdlePadHoldsNothing) {
    EXPECT_TRUE(sameKeys(keysHeldByPad(PadReading{}), KeyboardInput{}));
}

TEST(PadKeys, TheLeftStickSteersOnlyPastItsDeadZone) {
    PadReading pad;
    for (int16_t lean : {int16_t(0), int16_t(4000), STICK_DEAD_ZONE}) {
        pad.leftStickX = lean;
        EXPECT_FALSE(keysHeldByPad(pad).right) << lean;
        pad.leftStickX = static_cast<int16_t>(-lean);
        EXPECT_FALSE(keysHeldByPad(pad).left) << -lean;
    }
    pad.leftStickX = STICK_DEAD_ZONE + 1;
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, false, false, true, false)));
    pad.leftStickX = -STICK_DEAD_ZONE - 1;
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, false, true, false, false)));
    pad.leftStickX = -32768;
    EXPECT_TRUE(keysHeldByPad(pad).left);
    pad.leftStickX = 32767;
    EXPECT_TRUE(keysHeldByPad(pad).right);
}

TEST(PadKeys, TheDpadSteersAsTheArrowsDo) {
    PadReading pad;
    pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, false, true, false, false)));
    pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, false, false, true, false)));
}

TEST(PadKeys, AOrTheRightTriggerAcceleratesBOrTheLeftTriggerBrakes) {
    PadReading pad;
    pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(true, false, false, false, false)));
    pad = PadReading{};
    pad.rightTrigger = TRIGGER_THRESHOLD;  // a light touch is not yet a press
    EXPECT_FALSE(keysHeldByPad(pad).up);
    pad.rightTrigger = 32767;
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(true, false, false, false, false)));
    pad = PadReading{};
    pad.setButton(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, true, false, false, false)));
    pad = PadReading{};
    pad.leftTrigger = 20000;
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, true, false, false, false)));
    // Both at once hold both, as both arrows would.
    pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(true, true, false, false, false)));
}

TEST(PadKeys, XFires) {
    PadReading pad;
    pad.setButton(SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_TRUE(sameKeys(keysHeldByPad(pad), keys(false, false, false, false, true)));
}

TEST(PadKeys, TwoPadsHoldWhatEitherHolds) {
    const KeyboardInput one = keys(true, false, true, false, false);
    const KeyboardInput other = keys(false, false, false, true, true);
    EXPECT_TRUE(sameKeys(eitherHeld(one, other), keys(true, false, true, true, true)));
    EXPECT_TRUE(sameKeys(eitherHeld(one, KeyboardInput{}), one));
}

class PadAndKeyboard : public testing::Test {
protected:
    void SetUp() override { releaseAllKeys(); }
    void TearDown() override { releaseAllKeys(); }
};

TEST_F(PadAndKeyboard, LettingGoOnOneNeverReleasesTheOther) {
    recordKeyDown(VK_UP);
    holdKeyFromPad(VK_UP, true);
    recordKeyUp(VK_UP);
    EXPECT_TRUE(getAsyncKeyState(VK_UP)) << "the pad still holds it";
    recordKeyDown(VK_UP);
    holdKeyFromPad(VK_UP, false);
    EXPECT_TRUE(getAsyncKeyState(VK_UP)) << "the keyboard still holds it";
    recordKeyUp(VK_UP);
    EXPECT_FALSE(getAsyncKeyState(VK_UP));
}

TEST_F(PadAndKeyboard, APadPressShorterThanAFrameStillCountsOnce) {
    holdKeyFromPad(VK_SPACE, true);
    holdKeyFromPad(VK_SPACE, false);
    EXPECT_TRUE(getAsyncKeyState(VK_SPACE));
    EXPECT_FALSE(getAsyncKeyState(VK_SPACE));
    // Holding on is not pressing again.
    holdKeyFromPad(VK_LEFT, true);
    EXPECT_TRUE(getAsyncKeyState(VK_LEFT));
    holdKeyFromPad(VK_LEFT, true);
    holdKeyFromPad(VK_LEFT, false);
    EXPECT_FALSE(getAsyncKeyState(VK_LEFT));
}

TEST_F(PadAndKeyboard, ThePadDrivesTheKeysTheControlStepReads) {
    holdKeyFromPad(VK_UP, true);
    holdKeyFromPad(VK_RIGHT, true);
    recordKeyDown(VK_SPACE);
    EXPECT_TRUE(sameKeys(readKeyboard(), keys(true, false, false, true, true)));
    releaseAllKeys();
    EXPECT_TRUE(sameKeys(readKeyboard(), KeyboardInput{}));
}

}  // namespace
