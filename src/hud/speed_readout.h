#pragma once

#include <string>

// The craft's speed as the player reads it, in km/h. The craft is some 98
// world units long (its model is 652 long, drawn at 0.15); taken as a 5 m
// craft, a unit is 5 cm, and a unit a tick at 60 ticks a second is
// 60 x 0.05 m/s = 10.8 km/h. Backwards counts as forwards.
int speedKmh(float unitsPerTick);
// "   0 km/h" to "9999 km/h": four places, so the unit stays put.
std::string speedText(float unitsPerTick);
