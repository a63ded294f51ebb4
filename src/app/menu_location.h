#pragma once

#include <string>

#include "system/system.h"

namespace ostrel {

// The menu file for a requested path (the command-line tail, taken whole but for one
// pair of quotes around it all): the
// default one when the request is empty ("Ostrel\ostrel.ini" under `directory` when it
// can be opened, else "ostrel.ini" in the base directory), made absolute against the
// base directory when relative.
std::string LocateMenuFile(const std::string& requested, const std::string& directory, const std::string& baseDir,
                           System& system);

// Ctrl+Q then r. Returns true when `character` completes the chord; `armed` carries
// the state from one character message to the next.
bool AdvanceReloadChord(int& armed, unsigned character);

} // namespace ostrel
