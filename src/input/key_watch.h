#pragma once

// Follows every key as SDL pumps it, however many events the main loop takes
// per turn, which is what the asynchronous key state needs. A key gives the
// virtual key its binding says; leaving the window lets go of them all.
void startWatchingKeys();
void stopWatchingKeys();
