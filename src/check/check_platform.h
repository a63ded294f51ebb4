// The Windows versions and processors the menu checker can play, and a System that
// plays one of them: nothing is started and no box is shown.
#pragma once

#include <string>
#include <vector>

#include "system/quiet_system.h"

namespace ostrel {

struct PlatformInfo {
    const char* name;  // win10
    const char* label; // Windows 10
    std::uint32_t version; // what GetVersion reports there
    bool ntFamily;
    bool has64Bit; // there was a 64-bit edition
};
const std::vector<PlatformInfo>& Platforms();
const PlatformInfo* FindPlatform(const std::string& name);

struct ArchitectureInfo {
    const char* name; // intel, ia64, x64, other
    bool wow64;       // the 32-bit launcher runs under WOW64 there
    unsigned processorArchitecture;
};
const std::vector<ArchitectureInfo>& Architectures();
const ArchitectureInfo* FindArchitecture(const std::string& name);

class CheckSystem : public QuietSystem {
public:
    CheckSystem(const PlatformInfo& platform, const ArchitectureInfo& architecture, int depth, LeadByteTable lead);
    std::uint32_t GetVersion() override { return m_platform.version; }
    int GetScreenColourDepth() override { return m_depth; }
    Colour GetSysColor(int) override { return 0; } // window text taken as black
    bool CanOpenForReading(const std::string&) override { return false; }
    const LeadByteTable& LeadBytes() override { return m_lead; }
    bool Kernel32Has(const char*) override { return m_platform.ntFamily; }
    bool IsWow64Process(bool& wow64) override;
    unsigned NativeProcessorArchitecture() override { return m_architecture.processorArchitecture; }
    unsigned ProcessorArchitecture() override { return m_architecture.wow64 ? 0 : m_architecture.processorArchitecture; }

private:
    PlatformInfo m_platform;
    ArchitectureInfo m_architecture;
    int m_depth;
    LeadByteTable m_lead;
};

} // namespace ostrel
