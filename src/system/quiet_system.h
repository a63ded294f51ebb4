// A System for tools that play a platform: nothing is started and no box is shown.
#pragma once

#include "system/system.h"

namespace ostrel {

class QuietSystem : public System {
public:
    int ShowBox(BoxOwner, const std::string&, const std::string&, unsigned) override { return kIdOk; }
    void SetStandardCursor(bool) override {}
    void CreateAndDestroyStaticWindow() override {}
    int FindExecutableFor(const std::string&, const std::string&, std::string&) override { return 2; }
    int ShellExecuteFile(const std::string&, const std::string*, const std::string*, int) override { return 2; }
    bool ShellExecuteRunAs(const std::string&, const std::string&, const std::string&, int, std::int32_t&) override {
        return false;
    }
    bool CreateProcessFrom(const std::string&, const std::string&, std::int32_t&) override { return false; }
    bool FormatSystemMessage(std::int32_t, std::string&) override { return false; }
    unsigned WinExec(const std::string&, int) override { return 2; }
};

// A QuietSystem playing one Windows: version, screen, code page and processor as set.
class PlayedSystem : public QuietSystem {
public:
    std::uint32_t version = 0x4A61000A; // 64-bit Windows 10 on x64
    int colourDepth = 32;
    Colour windowText = 0;
    LeadByteTable lead;
    bool hasIsWow64Process = true;
    bool wow64 = true;
    unsigned nativeArchitecture = 9;
    unsigned processArchitecture = 0;

    std::uint32_t GetVersion() override { return version; }
    int GetScreenColourDepth() override { return colourDepth; }
    Colour GetSysColor(int) override { return windowText; }
    bool CanOpenForReading(const std::string&) override { return false; }
    const LeadByteTable& LeadBytes() override { return lead; }
    bool Kernel32Has(const char*) override { return hasIsWow64Process; }
    bool IsWow64Process(bool& result) override {
        result = wow64;
        return true;
    }
    unsigned NativeProcessorArchitecture() override { return nativeArchitecture; }
    unsigned ProcessorArchitecture() override { return processArchitecture; }
};

} // namespace ostrel
