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
    int ShowBox(BoxOwner owner, const std::string& text, const std::string& caption, unsigned type) override;
    void SetStandardCursor(bool wait) override;
    void CreateAndDestroyStaticWindow() override;
    int FindExecutableFor(const std::string& file, const std::string& directory, std::string& found) override;
    int ShellExecuteFile(const std::string& file, const std::string* parameters, const std::string* directory,
                     int show) override;
    bool ShellExecuteRunAs(const std::string& file, const std::string& parameters, const std::string& directory,
                           int show, std::int32_t& lastError) override;
    bool CreateProcessFrom(const std::string& commandLine, const std::string& directory, std::int32_t& lastError) override;
    bool FormatSystemMessage(std::int32_t code, std::string& text) override;
    unsigned WinExec(const std::string& commandLine, int show) override;

    // The launcher window, owner of the boxes that name it as theirs.
    void SetLauncherWindow(void* window) { m_launcherWindow = window; }

private:
    LeadByteTable m_lead;
    void* m_launcherWindow = nullptr;
};

// The one instance the program uses.
Win32System& TheSystem();

} // namespace ostrel
