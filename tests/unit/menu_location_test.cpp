#include <gtest/gtest.h>

#include "app/menu_location.h"
#include "fake_system.h"

using namespace ostrel;
using ostrel::test::FakeSystem;

TEST(MenuLocation, DefaultAndRequestedFiles) {
    const std::string base = "D:\\setup\\";
    struct Case {
        const char* requested;
        bool subfolderFilePresent;
        const char* expected;
    } cases[] = {
        {"", true, "D:\\setup\\Ostrel\\ostrel.ini"},
        {"", false, "D:\\setup\\ostrel.ini"},
        {"menus\\en.ini", false, "D:\\setup\\menus\\en.ini"},
        {"..\\en.ini", false, "D:\\setup\\..\\en.ini"},
        {"\\menus\\en.ini", false, "D:\\menus\\en.ini"},
        {"E:\\en.ini", false, "E:\\en.ini"},
        {"\\\\server\\share\\en.ini", false, "\\\\server\\share\\en.ini"},
        {"menus\\\\en.ini", false, "menus\\\\en.ini"},
        // One pair of quotes around the whole request goes; nothing else changes.
        {"\"E:\\my menu.ini\"", false, "E:\\my menu.ini"},
        {"\"my menus\\en.ini\"", false, "D:\\setup\\my menus\\en.ini"},
        {"\"E:\\en.ini", false, "\"E:\\en.ini"},
        {"\"\"", true, "D:\\setup\\Ostrel\\ostrel.ini"},
        {"en.ini", false, "D:\\setup\\en.ini"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        if (c.subfolderFilePresent)
            system.readableFiles.insert("D:\\setup\\Ostrel\\ostrel.ini");
        EXPECT_EQ(LocateMenuFile(c.requested, base, base, system), c.expected) << c.requested;
    }
}

TEST(MenuLocation, FallbackUsesTheBaseDirectoryNotTheDirectoryArgument) {
    FakeSystem system;
    EXPECT_EQ(LocateMenuFile("", "E:\\other\\", "D:\\setup\\", system), "D:\\setup\\ostrel.ini");
    ASSERT_EQ(system.calls.size(), 1u);
    EXPECT_EQ(system.calls[0], "CanOpenForReading(E:\\other\\Ostrel\\ostrel.ini)");
}

TEST(ReloadChord, CtrlQThenLowerCaseR) {
    struct Case {
        std::vector<unsigned> characters;
        int reloads;
    } cases[] = {
        {{0x11, 'r'}, 1},         {{0x11, 'R'}, 0},       {{0x11, 0x11, 'r'}, 0},
        {{'r'}, 0},               {{0x11, 'x', 'r'}, 0},  {{0x11, 'r', 0x11, 'r'}, 2},
        {{0x11, 'r', 'r'}, 1},
    };
    for (const Case& c : cases) {
        int armed = 0, reloads = 0;
        for (unsigned ch : c.characters)
            reloads += AdvanceReloadChord(armed, ch) ? 1 : 0;
        EXPECT_EQ(reloads, c.reloads) << "case with " << c.characters.size() << " characters";
    }
}
