#pragma once

#include <functional>

namespace testsupport {

// A lap without flying all of it: the craft is put down just before the start
// line, as if it had come round, and Up is held through the given ticks until
// it crosses. Returns the ticks it took, or -1 when it had not crossed after
// six hundred. Up is let go again on the way out.
int flyOverTheLine(const std::function<void()>& tick);

}  // namespace testsupport
