#pragma once

#include "system/system.h"

namespace ostrel {

class Win32System : public System {
public:
    Win32System();
    std::uint32_t GetVersion() override;
    int GetScreenColourDepth() override;
    Colour GetSysColor(int index) override;
    bool CanOpenForReading(const std::string& path) override;
    const LeadByteTable& LeadBytes() override { return m_lead; }
    bool Kernel32Has(const char* name) override;
    bool IsWow64Process(bool& wow64) override;
    unsigned NativeProcessorArchitecture() override;
    unsigned ProcessorArchitecture() override;
    int MessageBoxForeground(const std::string& text, const std::string& caption, unsigned type) override;

private:
    LeadByteTable m_lead;
};

// The one instance the program uses.
Win32System& TheSystem();

} // namespace ostrel
