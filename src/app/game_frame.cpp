#include "app/game_frame.h"

#include "app/joystick.h"
#include "app/key_state.h"
#include "app/platform.h"
#include "audio/sound.h"
#include "race/race.h"
#include "render/frame_draw.h"
#include "render/hud.h"

namespace {
void playRaceSounds(const RaceSounds& sounds) {
    if (sounds.engineStep) {
        updateEngineSound(sounds.throttle);
    }
    if (sounds.crash) {
        playCrashSound();
    }
    if (sounds.shot) {
        playShotSound();
    }
}
}  // namespace

void renderFrame() {
    moveTheWorld();
    drawRaceScene();
    playRaceSounds(finishThePlayersTurn(readKeyboard()));
    pollJoystick(gJoystickState);
    drawHud();
    updateMusicStream();
    swapGameBuffers();
}
