#include "system/win32_system.h"

#include <windows.h>

namespace ostrel {

Win32System::Win32System() {
    for (int c = 0; c < 256; ++c)
        m_lead.SetLead(static_cast<unsigned char>(c), IsDBCSLeadByte(static_cast<BYTE>(c)) != 0);
}

std::uint32_t Win32System::GetVersion() { return ::GetVersion(); }

int Win32System::GetScreenColourDepth() {
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return depth;
}

Colour Win32System::GetSysColor(int index) { return ::GetSysColor(index); }

bool Win32System::CanOpenForReading(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

Win32System& TheSystem() {
    static Win32System system;
    return system;
}

} // namespace ostrel
