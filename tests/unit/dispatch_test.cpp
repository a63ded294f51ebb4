#include <gtest/gtest.h>

#include "commands/dispatch.h"
#include "fake_system.h"

using namespace ostrel;
using ostrel::test::FakeSystem;

namespace {
struct Host : DispatchHost {
    FakeSystem& system;
    explicit Host(FakeSystem& s) : system(s) {}
    bool loads = true; // whether a menu reload finds a menu it can load
    bool ReloadMenuFile(const std::string& path) override {
        system.calls.push_back("ReloadMenu(" + path + ")");
        return loads;
    }
    std::string LocateMenu(const std::string& requested, const std::string& directory) override {
        return requested.empty() ? directory + "ostrel.ini" : requested;
    }
};

struct Dispatch {
    FakeSystem system;
    Host host{system};
    std::string baseDir = "E:\\", menuDir = "E:\\m\\", cwd = "E:";
    int debug = 0;
    CChoice choice;

    int Run(const std::string& command) {
        choice.m_strCommand = command;
        DispatchContext context{system, host, baseDir, menuDir, cwd, debug};
        return ExecuteChoice(choice, context);
    }
};
} // namespace

TEST(Dispatch, KeywordsAndProgramLines) {
    struct Case {
        const char* command;
        int exitCode;
        unsigned winExec;
        int result;
        const char* calls;
    } cases[] = {
        {"", 1, 33, 0, ""},
        {"tavnop", 1, 33, 0, ""},
        {"tavexit", 0, 33, 1, ""},
        {"TAVEXIT", 0, 2, 0,
         "WinExec(\"TAVEXIT\", 5)\nMessageBox(launcher, \"Error [2] executing command:\n TAVEXIT\", \"Error\", 0x10)"},
        {"E:\\setup.exe /s", 1, 33, 1, "WinExec(\"E:\\setup.exe /s\", 5)"},
        {"E:\\setup.exe /s", 2, 33, 0, "WinExec(\"E:\\setup.exe /s\", 5)"},
        {"[*CWD*]\\a.exe [*CWD*]", 1, 0, 0,
         "WinExec(\"E:\\a.exe E:\", 5)\n"
         "MessageBox(launcher, \"Error [0] executing command:\n [*CWD*]\\a.exe [*CWD*]\", \"Error\", 0x10)"},
        {"tavlink other.ini", 1, 33, 0, "ReloadMenu(E:\\m\\other.ini)"},
        {"tavlink \\x\\other.ini", 1, 33, 0, "ReloadMenu(E:\\x\\other.ini)"},
        {"tavlink D:\\other.ini", 1, 33, 0, "ReloadMenu(D:\\other.ini)"},
    };
    for (const Case& c : cases) {
        Dispatch d;
        d.choice.m_nExitCode = c.exitCode;
        d.system.winExecResult = c.winExec;
        EXPECT_EQ(d.Run(c.command), c.result) << c.command;
        EXPECT_EQ(d.system.Calls(), c.calls) << c.command;
    }
}

TEST(Dispatch, ShellStartsCarryTheirFlagsAndCloseOnlyAfterASuccess) {
    Dispatch d;
    d.choice.m_nExitCode = 1;
    d.choice.m_bHide = 1;
    d.choice.m_strDefaultDir = "sub";
    EXPECT_EQ(d.Run("tavshlex [*CWD*]\\setup.exe /s"), 1);
    EXPECT_NE(d.system.Calls().find("FindExecutable(\"E:\\setup.exe\", \"E:\\\")"), std::string::npos);
    EXPECT_NE(d.system.Calls().find("ShellExecute(\"C:\\Programs\\found.exe\", \"/s\", \"E:\\sub\", 0)"),
              std::string::npos);

    Dispatch failing;
    failing.choice.m_nExitCode = 1;
    failing.system.shellResult = 2;
    EXPECT_EQ(failing.Run("tavshlexurl https://example.invalid/"), 0);

    Dispatch debug;
    debug.debug = 1;
    debug.Run("tavcreateprocess a.exe");
    EXPECT_NE(debug.system.Calls().find("\"dwFlags\""), std::string::npos);

    // In Shift-JIS the separator may be the double-byte blank 0x81 0x40: it goes whole.
    Dispatch japanese;
    japanese.system.lead = LeadByteTable::ForCodePage(932);
    japanese.Run("tavshlex\x81\x40setup.exe");
    EXPECT_NE(japanese.system.Calls().find("FindExecutable(\"setup.exe\""), std::string::npos)
        << japanese.system.Calls();
}

TEST(Dispatch, PreInstallBox) {
    struct Case {
        const char* type;
        int answer;
        unsigned expectedType;
        bool runs;
    } cases[] = {
        {"", kIdNo, 0x04, false},
        {"", kIdYes, 0x04, true},
        {"MB_OK MB_ICONINFORMATION", kIdOk, 0x40, true},
        {"MB_YESNO|MB_ICONQUESTION", kIdNo, 0x24, false},
        {"MB_YESNOMB_ICONSTOP", kIdYes, 0x14, true},
        {"mb_yesno", kIdOk, 0x00, true},
        {"MB_ICONEXCLAMATION", kIdOk, 0x30, true},
    };
    for (const Case& c : cases) {
        Dispatch d;
        d.choice.m_strPreInstBoxType = c.type;
        d.choice.m_strPreInstMessage = "Install now?\\nIt takes a minute.";
        d.choice.m_strPreInstTitle = "Setup\\n";
        d.system.answers = {c.answer};
        EXPECT_EQ(d.Run("tavexit"), c.runs ? 1 : 0) << c.type;
        char type[8];
        std::snprintf(type, sizeof type, "0x%X", c.expectedType);
        EXPECT_EQ(d.system.Calls(), std::string("MessageBox(foreground, \"Install now?\nIt takes a minute.\", "
                                                "\"Setup\\n\", ") + type + ")")
            << c.type;
    }
    // Without a title (or a message) there is no box and the command runs.
    Dispatch untitled;
    untitled.choice.m_strPreInstMessage = "Sure?";
    EXPECT_EQ(untitled.Run("tavexit"), 1);
    EXPECT_EQ(untitled.system.Calls(), "");
}

// A link to a menu that cannot be loaded keeps the menu and the folders as they are.
TEST(Dispatch, LinksThatLeadNowhereChangeNothing) {
    struct Case {
        const char* command;
        const char* path;
    } cases[] = {
        {"tavlink nothere.ini", "E:\\m\\nothere.ini"},
        {"tavlinkroot ..", "ostrel.ini"},
        {"tavlinkroot sub", "E:\\sub\\ostrel.ini"},
    };
    for (const Case& c : cases) {
        Dispatch d;
        d.host.loads = false;
        EXPECT_EQ(d.Run(c.command), 0);
        EXPECT_EQ(d.baseDir, "E:\\") << c.command;
        EXPECT_EQ(d.menuDir, "E:\\m\\") << c.command;
        EXPECT_EQ(d.cwd, "E:") << c.command;
        EXPECT_EQ(d.system.Calls(), std::string("ReloadMenu(") + c.path + ")\nMessageBox(launcher, \"Cannot open the menu " +
                                        c.path + ": the file is missing or names no background picture (Bitmap in "
                                                 "[General]).\", \"Error\", 0x10)")
            << c.command;
    }
}

TEST(Dispatch, LinkRootMovesTheDirectories) {
    struct Case {
        const char* base;
        const char* command;
        const char* newBase;
    } cases[] = {
        {"E:\\", "tavlinkroot sub", "E:\\sub\\"},
        {"E:\\", "tavlinkroot sub\\", "E:\\sub\\"},
        {"E:\\sub\\", "tavlinkroot ..", "E:\\"},
        {"E:\\", "tavlinkroot ..", ""},
        {"E:\\", "tavlinkroot", "E:\\"},
    };
    for (const Case& c : cases) {
        Dispatch d;
        d.baseDir = c.base;
        EXPECT_EQ(d.Run(c.command), 0);
        EXPECT_EQ(d.baseDir, c.newBase) << c.command;
        EXPECT_EQ(d.cwd, c.newBase) << c.command;
        EXPECT_EQ(d.menuDir, c.newBase) << c.command;
        EXPECT_EQ(d.system.Calls(), std::string("ReloadMenu(") + c.newBase + "ostrel.ini)") << c.command;
    }
}

TEST(Dispatch, Helpers) {
    EXPECT_EQ(ExpandCwd("[*CWD*]\\a [*CWD*][*cwd*]", "E:"), "E:\\a E:[*cwd*]");
    LeadByteTable sjis = LeadByteTable::ForCodePage(932);
    EXPECT_EQ(WithLineFeeds("a\\nb\x83\\nc", sjis), "a\nb\x83\\nc"); // a trail byte is no backslash
    EXPECT_EQ(ParentDirectory("E:\\a\\b\\", LeadByteTable()), "E:\\a\\");
}
