// The launcher's keys: Enter, Space and Execute run the selected choice, Escape closes
// a menu that has an exit choice, Up and Down move the selection.
#pragma once

#include "menu/ini_file.h"

namespace ostrel {

class KeyboardSurface {
public:
    virtual ~KeyboardSurface() = default;
    virtual void DrawChoiceNormal(CChoice& choice) = 0;
    virtual void DrawChoiceActive(CChoice& choice, bool keepPrevious, bool pressed) = 0;
    // Runs the choice; non-zero when the launcher is to close.
    virtual int ExecuteChoice(CChoice& choice) = 0;
    // Waits 100 ms, then drops every key release queued for the launcher.
    virtual void DropQueuedKeyReleases() = 0;
    virtual void Close() = 0;
};

constexpr unsigned kVkReturn = 0x0D, kVkEscape = 0x1B, kVkSpace = 0x20, kVkUp = 0x26, kVkDown = 0x28,
                   kVkExecute = 0x2B;

void HandleKeyUp(unsigned virtualKey, CIniFile& menu, int& hoverChoice, KeyboardSurface& surface);

} // namespace ostrel
