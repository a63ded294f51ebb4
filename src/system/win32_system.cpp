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

namespace {
FARPROC Kernel32Function(const char* name) {
    HMODULE kernel = GetModuleHandleA("kernel32");
    return kernel ? GetProcAddress(kernel, name) : nullptr;
}
} // namespace

bool Win32System::Kernel32Has(const char* name) { return Kernel32Function(name) != nullptr; }

bool Win32System::IsWow64Process(bool& wow64) {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto query = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(Kernel32Function("IsWow64Process")));
    BOOL result = FALSE;
    if (!query || !query(GetCurrentProcess(), &result))
        return false;
    wow64 = result != FALSE;
    return true;
}

unsigned Win32System::NativeProcessorArchitecture() {
    using GetNativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
    auto query =
        reinterpret_cast<GetNativeSystemInfoFn>(reinterpret_cast<void*>(Kernel32Function("GetNativeSystemInfo")));
    SYSTEM_INFO info = {};
    if (query)
        query(&info);
    else
        GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}

unsigned Win32System::ProcessorArchitecture() {
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}

int Win32System::MessageBoxForeground(const std::string& text, const std::string& caption, unsigned type) {
    return MessageBoxA(GetForegroundWindow(), text.c_str(), caption.c_str(), type);
}

Win32System& TheSystem() {
    static Win32System system;
    return system;
}

} // namespace ostrel
