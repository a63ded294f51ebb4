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

// Only single-byte letters change case, and text is found only where a character
// starts: the trail byte 0x41 is no "A", the trail byte 0x74 no "t".
TEST(AnsiText, TrailBytesAreNoLetters) {
    LeadByteTable sjis = LeadByteTable::ForCodePage(932);
    EXPECT_EQ(ToLowerAnsi("\x83\x41" "BC", sjis), "\x83\x41" "bc");
    EXPECT_EQ(ToUpperAnsi("\x83\x61" "win", sjis), "\x83\x61" "WIN");
    EXPECT_EQ(FindText("\x81tavlink", "tavlink", sjis), std::string::npos);
    EXPECT_EQ(FindText("\x81\x40tavlink", "tavlink", sjis), 2u);
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
