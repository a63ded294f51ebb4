// The launcher's keys: Enter, Space and Execute run the selected choice, Escape closes
// a menu that has an exit choice, Up and Down move the selection.
#pragma once

#include <array>
#include <cstdint>

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

// A key release counts only when its press came to the launcher too: the Enter that
// dismisses a message box is pressed in the box and released over the launcher,
// and must not run a choice there. Times are the system's millisecond ticks of the
// key messages.
class KeyPressGate {
public:
    KeyPressGate() { m_pressed.fill(false); }
    // A press that happened before the last Clear belongs to what cleared it, even
    // when its message is handled only afterwards.
    void Pressed(unsigned virtualKey, std::uint32_t time) {
        if (virtualKey < m_pressed.size() && (!m_cleared || static_cast<std::int32_t>(time - m_clearedAt) >= 0))
            m_pressed[virtualKey] = true;
    }
    // Forgets every press: for presses whose releases were dropped unseen, and when the
    // launcher loses the keyboard, so that no stale press lets a later release through.
    void Clear(std::uint32_t now) {
        m_pressed.fill(false);
        m_cleared = true;
        m_clearedAt = now;
    }
    bool Released(unsigned virtualKey) {
        if (virtualKey >= m_pressed.size() || !m_pressed[virtualKey])
            return false;
        m_pressed[virtualKey] = false;
        return true;
    }

private:
    std::array<bool, 256> m_pressed;
    bool m_cleared = false;
    std::uint32_t m_clearedAt = 0;
};

} // namespace ostrel
