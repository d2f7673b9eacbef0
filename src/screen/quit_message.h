#pragma once

#include <cstdint>

// Posts the quit message the main loop ends on.
void postQuitMessage(int exitCode);
// The SDL event type of that quit message.
uint32_t quitMessageType();
