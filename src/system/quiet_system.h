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

} // namespace ostrel
