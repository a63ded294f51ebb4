// Any text as a command, a colour, a pair and a pre-install type: resolved, split,
// recognised, dispatched and launched through a System that starts nothing and
// checks that nothing it is handed exceeds the launcher's buffers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "commands/command_path.h"
#include "commands/dispatch.h"
#include "commands/shell_launch.h"
#include "menu/ini_file.h"
#include "menu/value_rules.h"
#include "system/quiet_system.h"

namespace {
class BoundedSystem : public ostrel::PlayedSystem {
public:
    BoundedSystem() { lead = ostrel::LeadByteTable::ForCodePage(932); }
    static void Check(const std::string& text, size_t limit) {
        if (text.size() >= limit)
            __builtin_trap();
    }
    int FindExecutableFor(const std::string& file, const std::string& directory, std::string& found) override {
        Check(file, ostrel::kLaunchFileBuffer);
        Check(directory, ostrel::kCurrentPathBuffer);
        found = "C:\\found.exe";
        return 42;
    }
    int ShellExecuteFile(const std::string& file, const std::string* parameters, const std::string* directory,
                         int) override {
        Check(file, ostrel::kLaunchFileBuffer);
        if (parameters)
            Check(*parameters, ostrel::kCommandLineBuffer);
        if (directory)
            Check(*directory, ostrel::kDefaultDirBuffer);
        return 2;
    }
    bool CreateProcessFrom(const std::string& commandLine, const std::string& directory, std::int32_t& error) override {
        Check(commandLine, ostrel::kCommandLineBuffer);
        Check(directory, ostrel::kDefaultDirBuffer);
        error = 2;
        return false;
    }
};

class Host : public ostrel::DispatchHost {
public:
    bool ReloadMenuFile(const std::string&) override { return true; }
    std::string LocateMenu(const std::string&, const std::string& directory) override {
        return directory + "ostrel.ini";
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    BoundedSystem system;
    system.version = size > 0 && (data[0] & 1) ? 0xC0000004u : 0x0000000Au;

    ostrel::ResolveCommandPath(text, "E:\\\x83\x5C\\", system.lead);
    ostrel::SplitCommandLine(text, system.lead);
    std::string launchFile, parameters;
    ostrel::SplitLaunchFile(text, launchFile, parameters);
    ostrel::ParseColor(text);
    ostrel::ParsePair(text, ",");
    ostrel::PreInstallBoxType(text);
    ostrel::WithLineFeeds(text, system.lead);
    ostrel::ExpandCwd(text, "E:");
    ostrel::ParentDirectory(text, system.lead);

    for (unsigned kind : {ostrel::ORBSHLEX_FILE, ostrel::ORBSHLEX_EXE, ostrel::ORBSHLEX_URL,
                          ostrel::ORBSHLEX_CREATEPROCESS, ostrel::ORBSHLEX_RUNAS}) {
        ostrel::ShellLaunch(system, kind | ostrel::ORBSHLEX_DEBUG, text, text.substr(0, size / 2), "E:\\");
    }

    Host host;
    std::string baseDir = "E:\\", menuDir = "E:\\", cwd = "E:";
    ostrel::DispatchContext context{system, host, baseDir, menuDir, cwd, 1};
    ostrel::CChoice choice;
    choice.m_strCommand = text;
    choice.m_strPreInstMessage = text;
    choice.m_strPreInstTitle = "t";
    ostrel::ExecuteChoice(choice, context);
    return 0;
}
