// Runs the command of a chosen choice: the pre-install box, then the keyword's action
// or the program start.
#pragma once

#include <string>

#include "menu/choice.h"
#include "system/system.h"

namespace ostrel {

// What dispatch needs of the launcher window.
class DispatchHost {
public:
    virtual ~DispatchHost() = default;
    // The window's menu reload and menu-file location. A menu that cannot be loaded
    // (missing, or without a background picture) changes nothing and gives false.
    virtual bool ReloadMenuFile(const std::string& path) = 0;
    virtual std::string LocateMenu(const std::string& requested, const std::string& directory) = 0;
};

struct DispatchContext {
    System& system;
    DispatchHost& host;
    std::string& baseDir; // the application's; moved by tavlinkroot
    std::string& menuDir; // the application's; moved by tavlinkroot
    std::string& cwd;     // what "[*CWD*]" stands for
    int debug;            // the menu's Debug setting
};

// 1 when the launcher is to close, 0 when it stays open.
int ExecuteChoice(CChoice& choice, DispatchContext& context);

std::string ExpandCwd(const std::string& text, const std::string& cwd);
unsigned PreInstallBoxType(const std::string& tokens);
// Each backslash followed by n becomes a line feed.
std::string WithLineFeeds(const std::string& text, const LeadByteTable& lead);
// The parent of a directory with a trailing backslash ("E:\sub\" gives "E:\").
std::string ParentDirectory(std::string directory, const LeadByteTable& lead);

} // namespace ostrel
