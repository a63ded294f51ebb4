#include <gtest/gtest.h>

#include "commands/shell_launch.h"
#include "fake_system.h"

using namespace ostrel;
using ostrel::test::FakeSystem;

namespace {
std::string Launch(FakeSystem& system, unsigned flags, const std::string& command, const std::string& defaultDir = "",
                   const std::string& base = "E:\\", bool* started = nullptr) {
    bool result = ShellLaunch(system, flags, command, defaultDir, base);
    if (started)
        *started = result;
    return system.Calls();
}
} // namespace

TEST(ShellLaunch, EachKindMakesItsCall) {
    struct Case {
        unsigned flags;
        const char* command;
        std::uint32_t version;
        const char* calls;
    } cases[] = {
        {ORBSHLEX_EXE, "setup.exe /s", 0x0A,
         "cursor wait\nstatic window\nFindExecutable(\"setup.exe\", \"E:\\\")\n"
         "ShellExecute(\"C:\\Programs\\found.exe\", \"/s\", \"E:\\sub\", 5)\ncursor arrow"},
        {ORBSHLEX_EXE | ORBSHLEX_HIDE, "\t \"my setup.exe\"  /s /q", 0x0A,
         "cursor wait\nstatic window\nFindExecutable(\"\"my setup.exe\"\", \"E:\\\")\n"
         "ShellExecute(\"C:\\Programs\\found.exe\", \"/s /q\", \"E:\\sub\", 0)\ncursor arrow"},
        {ORBSHLEX_FILE, "docs\\readme.txt page=2", 0x0A,
         "cursor wait\nstatic window\nFindExecutable(\"E:\\docs\\readme.txt\", \"E:\\\")\n"
         "ShellExecute(\"E:\\docs\\readme.txt\", \"page=2\", \"E:\\sub\", 5)\ncursor arrow"},
        // Windows 95 and NT 4.0: the found program opens the document; its own parameters go.
        {ORBSHLEX_FILE, "docs\\readme.txt page=2", 0xC0000004,
         "cursor wait\nstatic window\nFindExecutable(\"E:\\docs\\readme.txt\", \"E:\\\")\n"
         "ShellExecute(\"C:\\Programs\\found.exe\", \"E:\\docs\\readme.txt\", \"E:\\sub\", 5)\ncursor arrow"},
        {ORBSHLEX_URL, "https://example.invalid/x y", 0x0A,
         "cursor wait\nstatic window\nShellExecute(\"https://example.invalid/x\", null, null, 5)\ncursor arrow"},
        {ORBSHLEX_RUNAS, "setup.exe /s", 0x0A,
         "cursor wait\nstatic window\nFindExecutable(\"setup.exe\", \"E:\\\")\n"
         "ShellExecuteRunAs(\"C:\\Programs\\found.exe\", \"/s\", \"E:\\sub\", 5)\ncursor arrow"},
        {ORBSHLEX_CREATEPROCESS | ORBSHLEX_HIDE, "a.exe b c", 0x0A,
         "cursor wait\nstatic window\nCreateProcess(\"a.exe b c\", \"E:\\sub\")\ncursor arrow"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.version = c.version;
        bool started = false;
        EXPECT_EQ(Launch(system, c.flags, c.command, "sub", "E:\\", &started), c.calls) << c.command;
        EXPECT_TRUE(started) << c.command;
    }
}

TEST(ShellLaunch, DocumentNotFoundOnOldWindowsReportsTheLookUp) {
    FakeSystem system;
    system.version = 0x04; // NT 4.0
    system.findResult = 31;
    bool started = true;
    std::string calls = Launch(system, ORBSHLEX_FILE, "a.xyz", "", "E:\\", &started);
    EXPECT_FALSE(started);
    EXPECT_EQ(calls.find("ShellExecute"), std::string::npos);
    EXPECT_NE(calls.find("MessageBox(\"There is no application associated with the filename extension of "
                         "E:\\a.xyz\", \"Error\", 0x10)"),
              std::string::npos);
}

TEST(ShellLaunch, ErrorTexts) {
    struct Case {
        std::int32_t code;
        const char* found;
        const char* text;
    } cases[] = {
        {0, "", "Out of memory or resources loading a.exe"},
        {2, "C:\\found.exe", "The file C:\\found.exe was not found"},
        {2, "", "The file a.exe was not found"},
        {3, "", "The path a.exe was not found"},
        {5, "", "The operating system denied access to file a.exe"},
        {7, "C:\\found.exe", "Error 7 loading a.exe"},
        {8, "", "There was not enough memory to complete the operation of loading a.exe"},
        {26, "", "A sharing violation occurred loading a.exe"},
        {27, "", "The filename association to a.exe is incomplete or invalid"},
        {28, "", "a.exe - The DDE transaction could not be completed because the request timed out"},
        {29, "", "a.exe - The DDE transaction failed"},
        {30, "", "a.exe - The DDE transaction could not be completed because other DDE transactions were being "
                 "processed"},
        {31, "", "There is no application associated with the filename extension of a.exe"},
        {32, "", "a.exe - A dynamic-link library was not found"},
        {-2147024891, "", "Error -2147024891 loading a.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShellErrorText(c.code, c.found, "a.exe"), c.text) << c.code;
}

TEST(ShellLaunch, FailedStartsShowOneErrorBox) {
    FakeSystem system;
    system.findResult = 2;
    system.shellResult = 2;
    bool started = true;
    std::string calls = Launch(system, ORBSHLEX_EXE, "missing.exe", "", "E:\\", &started);
    EXPECT_FALSE(started);
    EXPECT_NE(calls.find("ShellExecute(\"missing.exe\", \"\", \"E:\\\", 5)"), std::string::npos);
    EXPECT_NE(calls.find("MessageBox(\"The file missing.exe was not found\", \"Error\", 0x10)\ncursor arrow"),
              std::string::npos);

    FakeSystem java;
    java.shellResult = 2;
    EXPECT_NE(Launch(java, ORBSHLEX_EXE, "JREW.exe x").find("\"Cannot locate JREW.exe.  Please install the Sun JRE "
                                                           "first.\", \"Error\""),
              std::string::npos);

}

// A failed elevated start reports a system error code: whatever the code, nothing
// ran. The user's No at the prompt needs no box; any other failure names its cause.
TEST(ShellLaunch, FailedElevatedStartsAreFailures) {
    struct Case {
        std::int32_t lastError;
        bool hasSystemText;
        const char* box; // null: no box at all
    } cases[] = {
        {1223, true, nullptr},
        {193, true, "MessageBox(\"Error starting \"C:\\Programs\\found.exe\" as administrator:\n\nSystem text 193\", "
                    "\"Error\", 0x10)"},
        {1155, true, "as administrator:\n\nSystem text 1155\", \"Error\", 0x10)"},
        {31, false, "MessageBox(\"Error 31 loading a.exe\", \"Error\", 0x10)"},
        {-2147024891, false, "MessageBox(\"Error -2147024891 loading a.exe\", \"Error\", 0x10)"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.runAsResult = false;
        system.runAsError = c.lastError;
        system.hasSystemText = c.hasSystemText;
        bool started = true;
        std::string calls = Launch(system, ORBSHLEX_RUNAS, "a.exe /s", "", "E:\\", &started);
        EXPECT_FALSE(started) << c.lastError;
        if (c.box) {
            EXPECT_NE(calls.find(c.box), std::string::npos) << calls;
            EXPECT_EQ(calls.find("MessageBox"), calls.rfind("MessageBox")) << "one box only\n" << calls;
        } else {
            EXPECT_EQ(calls.find("MessageBox"), std::string::npos) << calls;
        }
        EXPECT_EQ(calls.substr(calls.rfind('\n') + 1), "cursor arrow") << c.lastError;
    }
}

TEST(ShellLaunch, CreateProcessErrorUsesTheSystemText) {
    FakeSystem system;
    system.createResult = false;
    EXPECT_NE(Launch(system, ORBSHLEX_CREATEPROCESS, "a.exe /x")
                  .find("MessageBox(foreground, \"Error creating process \"a.exe /x\":\n\nSystem text 2\", \"Error\", "
                        "0x10)"),
              std::string::npos);
    FakeSystem silent;
    silent.createResult = false;
    silent.hasSystemText = false;
    EXPECT_EQ(Launch(silent, ORBSHLEX_CREATEPROCESS, "a.exe").find("MessageBox"), std::string::npos);
}

TEST(ShellLaunch, DebugBoxesInOrder) {
    FakeSystem system;
    system.shellResult = 2;
    EXPECT_EQ(Launch(system, ORBSHLEX_EXE | ORBSHLEX_DEBUG, "setup.exe /s", "sub"),
              "MessageBox(\"ORBSHLEX_DEBUG = 1\nORBSHLEX_HIDE = 0\nORBSHLEX_FILE = 0\nORBSHLEX_EXE = 8\n"
              "ORBSHLEX_URL = 0\nORBSHLEX_CREATEPROCESS = 0\", \"dwFlags\", 0x0)\n"
              "cursor wait\n"
              "MessageBox(\"setup.exe\", \"Debug: szLaunchFile=\", 0x0)\n"
              "MessageBox(\"/s\", \"Debug: szLaunchParams=\", 0x0)\n"
              "MessageBox(\"E:\\\", \"Debug: szCurrentPath=\", 0x0)\n"
              "MessageBox(\"E:\\sub\", \"Debug: szDefaultDir=\", 0x0)\n"
              "static window\n"
              "FindExecutable(\"setup.exe\", \"E:\\\")\n"
              "MessageBox(\"FindExecutable returned 42\nand found: C:\\Programs\\found.exe\", \"Debug\", 0x10)\n"
              "ShellExecute(\"C:\\Programs\\found.exe\", \"/s\", \"E:\\sub\", 5)\n"
              "MessageBox(\"ShelExec returned 2\", \"Debug\", 0x10)\n"
              "MessageBox(\"The file C:\\Programs\\found.exe was not found\", \"Error\", 0x10)\n"
              "cursor arrow");
}

// What the working buffers cannot hold is refused with a box that names it, and
// nothing is started: a cut command would run something the menu does not name.
TEST(ShellLaunch, TooLongForTheBuffersIsRefused) {
    struct Case {
        unsigned flags;
        std::string command, defaultDir, base;
        const char* message;
    } cases[] = {
        {ORBSHLEX_EXE, "a.exe " + std::string(1040, 'x'), "", "E:\\", "This command is too long"},
        {ORBSHLEX_CREATEPROCESS, std::string(1039, 'y') + "z", "", "E:\\", "This command is too long"},
        {ORBSHLEX_EXE, std::string(260, 'p') + ".exe", "", "E:\\", "program or document of this command is too long"},
        {ORBSHLEX_FILE, std::string(250, 'd') + ".txt", "", "E:\\folder\\", "program or document"},
        {ORBSHLEX_EXE, "a.exe", std::string(600, 'w'), "E:\\", "working folder of this command is too long"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        bool started = true;
        std::string calls = Launch(system, c.flags, c.command, c.defaultDir, c.base, &started);
        EXPECT_FALSE(started);
        EXPECT_NE(calls.find(c.message), std::string::npos) << calls.substr(0, 200);
        EXPECT_EQ(calls.find("ShellExecute"), std::string::npos);
        EXPECT_EQ(calls.find("CreateProcess("), std::string::npos);
        EXPECT_EQ(calls.find("FindExecutable"), std::string::npos);
    }
    // Just inside the limits it starts; an address never uses the working folder.
    struct Fits {
        unsigned flags;
        std::string command, defaultDir;
    } fits[] = {
        {ORBSHLEX_CREATEPROCESS, std::string(1039, 'y'), ""},
        {ORBSHLEX_URL, "https://example.invalid/", std::string(600, 'w')},
    };
    for (const Fits& c : fits) {
        FakeSystem system;
        bool started = false;
        Launch(system, c.flags, c.command, c.defaultDir, "E:\\", &started);
        EXPECT_TRUE(started) << system.Calls().substr(0, 200);
    }
}
