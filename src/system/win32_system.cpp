#include "system/win32_system.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

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

int Win32System::ShowBox(BoxOwner owner, const std::string& text, const std::string& caption, unsigned type) {
    HWND window = owner == BoxOwner::Foreground ? GetForegroundWindow()
                  : owner == BoxOwner::Launcher ? static_cast<HWND>(m_launcherWindow)
                                                : nullptr;
    return MessageBoxA(window, text.c_str(), caption.c_str(), type);
}

void Win32System::SetStandardCursor(bool wait) { SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW)); }

void Win32System::CreateAndDestroyStaticWindow() {
    HWND window = CreateWindowExA(0, "STATIC", " ", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  0, nullptr, nullptr, nullptr, nullptr);
    if (window)
        DestroyWindow(window);
}

int Win32System::FindExecutableFor(const std::string& file, const std::string& directory, std::string& found) {
    char result[MAX_PATH] = {};
    lstrcpynA(result, found.c_str(), MAX_PATH);
    int code = static_cast<int>(reinterpret_cast<INT_PTR>(FindExecutableA(file.c_str(), directory.c_str(), result)));
    result[MAX_PATH - 1] = '\0';
    found = result;
    return code;
}

int Win32System::ShellExecuteFile(const std::string& file, const std::string* parameters, const std::string* directory,
                              int show) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, file.c_str(), parameters ? parameters->c_str() : nullptr,
                      directory ? directory->c_str() : nullptr, show)));
}

bool Win32System::ShellExecuteRunAs(const std::string& file, const std::string& parameters,
                                    const std::string& directory, int show, std::int32_t& lastError) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // The launcher shows its own box for a failure, with the system's text; without
    // this flag the shell would show one of its own first.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = show;
    if (ShellExecuteExA(&info))
        return true;
    lastError = static_cast<std::int32_t>(GetLastError());
    return false;
}

bool Win32System::CreateProcessFrom(const std::string& commandLine, const std::string& directory,
                                std::int32_t& lastError) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &process)) {
        lastError = static_cast<std::int32_t>(GetLastError());
        return false;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

bool Win32System::FormatSystemMessage(std::int32_t code, std::string& text) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(code), 0x400, reinterpret_cast<char*>(&buffer), 0,
                                  nullptr);
    if (length == 0 || !buffer)
        return false;
    text.assign(buffer, length);
    LocalFree(buffer);
    return true;
}

unsigned Win32System::WinExec(const std::string& commandLine, int show) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

Win32System& TheSystem() {
    static Win32System system;
    return system;
}

} // namespace ostrel
