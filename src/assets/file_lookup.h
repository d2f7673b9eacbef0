#pragma once

#include <string>

// The game's file names were written on a file system that ignores letter
// case ("data/nau.ase" and "data/nau.ASE" are one file). Returns path itself
// when it exists as given; otherwise the existing path whose components match
// path's without regard to ASCII case; otherwise path unchanged, so the caller's
// open fails as it would have.
std::string findFileIgnoringCase(const std::string& path);
