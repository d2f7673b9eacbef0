#include "app/app_state.h"

SDL_Window* gWindow = nullptr;
void* gRenderContext = nullptr;
void* gPalette = nullptr;
int32_t gQuitRequested = 0;
int32_t gUseJoystick = 0;
