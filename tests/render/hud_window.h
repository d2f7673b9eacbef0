#pragma once

#include <SDL2/SDL.h>

#include <algorithm>
#include <memory>

#include "app/app_state.h"
#include "assets/bitmap.h"
#include "race/camera.h"
#include "race/exhaust_glow.h"
#include "race/lap_clock.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/projectile.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/hud.h"
#include "render/overlay.h"
#include "support/test_display.h"

namespace hudtest {

// Everything the race and the HUD change from frame to frame.
struct RaceSnapshot {
    Player player = gPlayer;
    Opponent opponents[OPPONENT_COUNT];
    Projectile projectile = gProjectile;
    ExhaustGlow exhaust = gExhaust;
    int32_t frameCounter = gFrameCounter;
    LapClock clock = gLapClock;
    int32_t racePosition = gRacePosition;
    int32_t cockpitView = gCockpitView;
    CameraMode cameraMode = gCameraMode;

    RaceSnapshot() { std::copy(std::begin(gOpponents), std::end(gOpponents), opponents); }
    void restore() const {
        gPlayer = player;
        std::copy(std::begin(opponents), std::end(opponents), gOpponents);
        gProjectile = projectile;
        gExhaust = exhaust;
        gFrameCounter = frameCounter;
        gLapClock = clock;
        gRacePosition = racePosition;
        gCockpitView = cockpitView;
        gCameraMode = cameraMode;
    }
};

// A game window of the test's own. Other tests in this program keep one game
// window for the whole run, so on the way out the context that was current
// before is made current again and the game's globals are put back as found.
class OwnGlWindow {
public:
    OwnGlWindow()
        : previousWindow_(SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetCurrentWindow() : nullptr),
          previousContext_(SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetCurrentContext() : nullptr),
          window_(gWindow),
          deviceContext_(gDeviceContext),
          renderContext_(gRenderContext),
          fontListBase_(gFontListBase) {
        std::copy(std::begin(gTextures), std::end(gTextures), textures_);
        test_ = std::make_unique<testsupport::GlTestWindow>();
    }
    ~OwnGlWindow() {
        test_.reset();
        if (previousContext_ != nullptr) {
            SDL_GL_MakeCurrent(previousWindow_, previousContext_);
        }
        gWindow = window_;
        gDeviceContext = deviceContext_;
        gRenderContext = renderContext_;
        gFontListBase = fontListBase_;
        std::copy(std::begin(textures_), std::end(textures_), gTextures);
        LapClock::setSource(nullptr);
        race_.restore();
    }
    OwnGlWindow(const OwnGlWindow&) = delete;
    OwnGlWindow& operator=(const OwnGlWindow&) = delete;

private:
    SDL_Window* previousWindow_;
    SDL_GLContext previousContext_;
    SDL_Window* window_;
    SDL_Window* deviceContext_;
    void* renderContext_;
    uint32_t fontListBase_;
    uint32_t textures_[TEXTURE_COUNT] = {};
    RaceSnapshot race_;
    std::unique_ptr<testsupport::GlTestWindow> test_;
};

}  // namespace hudtest
