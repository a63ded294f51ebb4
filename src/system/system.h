// The one seam between the launcher's decisions and the operating system. The
// Windows build forwards to the real calls; the unit tests plug in a recording fake.
#pragma once

#include <cstdint>
#include <string>

#include "text/ansi_text.h"

namespace ostrel {

using Colour = std::uint32_t; // 0x00BBGGRR, red in the low byte

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
    // A message box owned by the current foreground window; returns the button.
    virtual int MessageBoxForeground(const std::string& text, const std::string& caption, unsigned type) = 0;
};

constexpr unsigned kMbIconError = 0x10; // MB_ICONERROR with the single OK button

constexpr int kColorWindowText = 8; // COLOR_WINDOWTEXT

} // namespace ostrel
