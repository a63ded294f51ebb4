#include "check/check_platform.h"

namespace ostrel {

const std::vector<PlatformInfo>& Platforms() {
    // Bit 31 set for Win32s and the Windows 95 family; build numbers in the high word
    // of the NT family.
    static const std::vector<PlatformInfo> kPlatforms = {
        {"win32s", "Win32s", 0x80000A03, false, false},
        {"win95", "Windows 95", 0xC0000004, false, false},
        {"win98", "Windows 98", 0xC0000A04, false, false},
        {"winme", "Windows Me", 0xC0005A04, false, false},
        {"nt351", "NT 3.51", 0x04213303, true, false},
        {"nt40", "NT 4.0", 0x05650004, true, false},
        {"win2000", "Windows 2000", 0x08930005, true, false},
        {"winxp", "Windows XP", 0x0A280105, true, true},
        {"win2003", "Server 2003", 0x0ECE0205, true, true},
        {"vista", "Vista", 0x17700006, true, true},
        {"win7", "Windows 7", 0x1DB10106, true, true},
        {"win8", "Windows 8", 0x23F00206, true, true},
        {"win81", "Windows 8.1", 0x25800306, true, true},
        {"win10", "Windows 10", 0x4A61000A, true, true},
        {"win11", "Windows 11", 0x55F0000A, true, true},
    };
    return kPlatforms;
}

const PlatformInfo* FindPlatform(const std::string& name) {
    for (const PlatformInfo& platform : Platforms()) {
        if (name == platform.name)
            return &platform;
    }
    return nullptr;
}

const std::vector<ArchitectureInfo>& Architectures() {
    static const std::vector<ArchitectureInfo> kArchitectures = {
        {"intel", false, 0}, {"x64", true, 9}, {"ia64", true, 6}, {"other", true, 12},
    };
    return kArchitectures;
}

const ArchitectureInfo* FindArchitecture(const std::string& name) {
    for (const ArchitectureInfo& architecture : Architectures()) {
        if (name == architecture.name)
            return &architecture;
    }
    return nullptr;
}

CheckSystem::CheckSystem(const PlatformInfo& platform, const ArchitectureInfo& architecture, int depth,
                         LeadByteTable codePage) {
    version = platform.version;
    colourDepth = depth;
    lead = codePage;
    hasIsWow64Process = platform.ntFamily;
    wow64 = architecture.wow64;
    nativeArchitecture = architecture.processorArchitecture;
    processArchitecture = architecture.wow64 ? 0 : architecture.processorArchitecture;
}

} // namespace ostrel
