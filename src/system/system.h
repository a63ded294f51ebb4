// The one seam between the launcher's decisions and the operating system. The
// Windows build forwards to the real calls; the unit tests plug in a recording fake.
#pragma once

#include <cstdint>
#include <string>

#include "text/ansi_text.h"

namespace ostrel {

using Colour = std::uint32_t; // 0x00BBGGRR, red in the low byte

// Who owns a message box: nobody, the window in the foreground, or the launcher.
enum class BoxOwner { None, Foreground, Launcher };

class System {
public:
    virtual ~System() = default;

    // GetVersion's raw result.
    virtual std::uint32_t GetVersion() = 0;
    // Bits per pixel times planes of the whole screen.
    virtual int GetScreenColourDepth() = 0;
    virtual Colour GetSysColor(int index) = 0;
    // Opens the file for reading (sharing read and write) and closes it again.
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // Lead bytes of the ANSI code page in force.
    virtual const LeadByteTable& LeadBytes() = 0;

    // Whether kernel32 has the function (looked up by name).
    virtual bool Kernel32Has(const char* name) = 0;
    // IsWow64Process for this process; false when the call fails.
    virtual bool IsWow64Process(bool& wow64) = 0;
    // wProcessorArchitecture from GetNativeSystemInfo / GetSystemInfo.
    virtual unsigned NativeProcessorArchitecture() = 0;
    virtual unsigned ProcessorArchitecture() = 0;
    // A modal message box; returns the button pressed.
    virtual int ShowBox(BoxOwner owner, const std::string& text, const std::string& caption, unsigned type) = 0;

    // Starting things.
    virtual void SetStandardCursor(bool wait) = 0; // IDC_WAIT or IDC_ARROW
    // A hidden "STATIC" window, created and destroyed at once before a shell start.
    virtual void CreateAndDestroyStaticWindow() = 0;
    // FindExecutableA; `found` holds what it wrote into its result buffer.
    virtual int FindExecutableFor(const std::string& file, const std::string& directory, std::string& found) = 0;
    // ShellExecuteA with no owner and the default verb; null means no parameters / directory.
    virtual int ShellExecuteFile(const std::string& file, const std::string* parameters, const std::string* directory,
                             int show) = 0;
    // ShellExecuteExA with the verb "runas"; on failure `lastError` is GetLastError's code.
    virtual bool ShellExecuteRunAs(const std::string& file, const std::string& parameters,
                                   const std::string& directory, int show, std::int32_t& lastError) = 0;
    // CreateProcessA of the whole command line; the handles are closed at once.
    virtual bool CreateProcessFrom(const std::string& commandLine, const std::string& directory,
                               std::int32_t& lastError) = 0;
    // The system's text for an error code (FormatMessageA); false when it has none.
    virtual bool FormatSystemMessage(std::int32_t code, std::string& text) = 0;
    virtual unsigned WinExec(const std::string& commandLine, int show) = 0;
};

// MessageBoxA types and answers.
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconExclamation = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kSwHide = 0;
constexpr int kSwShow = 5;

constexpr int kColorWindowText = 8; // COLOR_WINDOWTEXT
constexpr std::int32_t kErrorCancelled = 1223; // ERROR_CANCELLED

} // namespace ostrel
