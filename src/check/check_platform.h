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

// The platform as the menu checker plays it; the system's window-text colour is
// taken as black.
class CheckSystem : public PlayedSystem {
public:
    CheckSystem(const PlatformInfo& platform, const ArchitectureInfo& architecture, int depth, LeadByteTable lead);
};

} // namespace ostrel
