#include <gtest/gtest.h>

#include "text/ansi_text.h"

using namespace ostrel;

// In Shift-JIS the trail byte of many characters is 0x5C, the backslash.
TEST(AnsiText, TrailBytesAreNotBackslashes) {
    LeadByteTable sjis = LeadByteTable::ForCodePage(932);
    const std::string path = "D:\\\x83\x5C\\x.ini"; // D:\<so>\x.ini, <so> = 0x83 0x5C
    EXPECT_EQ(DirectoryPart(path, sjis), "D:\\\x83\x5C\\");
    EXPECT_FALSE(HasDoubleBackslash("a\x83\x5C\\b", sjis));
    EXPECT_TRUE(HasDoubleBackslash("a\x83\x5C\\b", LeadByteTable())); // read as single bytes it would be
    EXPECT_EQ(FindLastChar("\x83\x5C", '\\', sjis), std::string::npos);
    // 0x99 as a trail byte stays; as a lead byte it goes with its whole character.
    EXPECT_EQ(RemoveCharsStartingWith("Tm\x83\x99\x99 ", "\x99\xAE", sjis), "Tm\x83\x99");
    EXPECT_EQ(RemoveCharsStartingWith("Tm\x99 \xAE", "\x99\xAE", LeadByteTable()), "Tm ");
}

TEST(AnsiText, ResolveAgainstBase) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"menus\\en.ini", "D:\\setup\\menus\\en.ini"},
        {"..\\en.ini", "D:\\setup\\..\\en.ini"},
        {"\\menus\\en.ini", "D:\\menus\\en.ini"},
        {"E:\\en.ini", "E:\\en.ini"},
        {"\\\\server\\share\\en.ini", "\\\\server\\share\\en.ini"},
        {"menus\\\\en.ini", "menus\\\\en.ini"},
        {"\"C:\\my menus\\en.ini\"", "\"C:\\my menus\\en.ini\""},
        {"", "D:\\setup\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveAgainst(c.path, "D:\\setup\\", LeadByteTable()), c.expected) << c.path;
    EXPECT_EQ(ResolveAgainst("\\x.bmp", "", LeadByteTable()), "\\x.bmp");
}
