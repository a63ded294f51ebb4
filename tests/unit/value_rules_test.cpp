#include <gtest/gtest.h>

#include "menu/storage.h"
#include "menu/value_rules.h"
#include "temp_file.h"

using namespace ostrel;

TEST(ValueRules, LeadingNumberIsAtoi) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"42", 42},          {"  -7x", -7},        {"+3", 3},
                 {"abc", 0},          {"", 0},              {"99999999999", 2147483647},
                 {"-99999999999", -2147483647 - 1}};
    for (const Case& c : cases)
        EXPECT_EQ(LeadingNumber(c.text), c.expected) << c.text;
}

TEST(ValueRules, Colours) {
    struct Case {
        const char* text;
        Colour parsed;  // ParseColor
        Colour colour;  // the colour rule, with the 16-colour table
    } cases[] = {
        {"255,000,255", 0x00FF00FF, 0x00FF00FF}, {"255, 0, 255", 0x00FF00FF, 0x00FF00FF},
        {"255", 0x00FF0000, 0x00FF0000},         {"10,20", 0x0014000A, 0x0014000A},
        {"256,0,-1", 0x00FF0000, 0x00FF0000},    {"0,128,255", 0x00FF8000, 0x00FF8000},
        {"9", 0x00090000, 0x000000FF},           {"15", 0x000F0000, 0x00FFFFFF},
        {"16", 0x00100000, 0x00100000},          {"-1", 0x00FF0000, 0x00FF0000},
        {"7", 0x00070000, 0x00C0C0C0},           {"", 0x00000000, 0x00000000},
        {"009", 0x00090000, 0x00090000}, // three bytes: a triplet, not table entry 9
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseColor(c.text), c.parsed) << c.text;
        EXPECT_EQ(ColourFromText(c.text), c.colour) << c.text;
    }
}

TEST(ValueRules, ImagePathsAndTheirSixteenColourVariants) {
    test::TempFile file("[General]\nBitmap=back.bmp\nAbs=E:\\back.bmp\nRooted=\\img\\back.bmp\n"
                        "Unc=\\\\server\\share\\back.bmp\nEmpty16=\nEmpty=\nWith=full.bmp\nWith16=low.bmp\n");
    Storage storage(file.path());
    const std::string dir = "D:\\setup\\";
    LeadByteTable lead;
    struct Case {
        const char* key;
        int depth;
        const char* expected;
    } cases[] = {
        {"Bitmap", 32, "D:\\setup\\back.bmp"},
        {"Abs", 32, "E:\\back.bmp"},
        {"Rooted", 32, "D:\\img\\back.bmp"},
        {"Unc", 32, "\\\\server\\share\\back.bmp"},
        {"Missing", 32, ""},
        {"Empty", 32, ""},
        {"With", 32, "D:\\setup\\full.bmp"},
        {"With", 4, "D:\\setup\\low.bmp"},    // the 16-colour variant on a 16-colour screen
        {"Bitmap", 4, "D:\\setup\\back.bmp"}, // no variant: the plain key
        {"Empty", 4, "D:\\setup\\"},          // a present but empty variant is not tested for emptiness
        {"With", 1, "D:\\setup\\full.bmp"},   // fewer than 4 bits: the plain key, as on deeper screens
        {"Missing", 2, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadImagePath(storage, c.key, "General", c.depth, dir, lead), c.expected)
            << c.key << " at depth " << c.depth;
}
