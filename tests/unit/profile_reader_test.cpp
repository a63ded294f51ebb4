#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "menu/profile_reader.h"

using namespace ostrel;

namespace {
std::string Read(const ProfileText& text, const char* section, const char* key, const char* def = "DEF",
                 int size = 1024, int* count = nullptr) {
    std::string buffer(static_cast<size_t>(size), '\x7F');
    int n = text.GetString(section, key, def, &buffer[0], size);
    if (count)
        *count = n;
    return buffer.substr(0, static_cast<size_t>(n));
}
} // namespace

TEST(ProfileReader, ValuesAsWindowsReturnsThem) {
    ProfileText text("; comment\r\n"
                     "[General]\r\n"
                     "  Bitmap = back.bmp   \r\n"
                     "Quoted=\"  two words  \"\r\n"
                     "Single='x'\n"
                     "Unmatched=\"abc\n"
                     "Empty=\n"
                     "Caption=1 and more\n"
                     "Word=abc\n"
                     "Neg=-5\n"
                     "Dup=first\n"
                     "Dup=second\n"
                     "[general]\n"
                     "Late=yes\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"General", "Bitmap", "back.bmp"},   {"GENERAL", "bitmap", "back.bmp"}, {"General", "Quoted", "  two words  "},
        {"General", "Single", "x"},          {"General", "Unmatched", "\"abc"}, {"General", "Empty", ""},
        {"General", "Missing", "DEF"},       {"Nowhere", "Bitmap", "DEF"},      {"", "Bitmap", "DEF"},
        {"General", "", "DEF"},              {"General", "Dup", "first"},       {"General", "Late", "DEF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(text, c.section, c.key), c.expected) << c.section << "/" << c.key;

    EXPECT_EQ(text.GetInt("General", "Caption", 7), 1u);
    EXPECT_EQ(text.GetInt("General", "Word", 7), 0u);
    EXPECT_EQ(text.GetInt("General", "Missing", 7), 7u);
    EXPECT_EQ(text.GetInt("General", "Empty", 7), 7u);
    EXPECT_EQ(static_cast<int>(text.GetInt("General", "Neg", 7)), -5);
}

TEST(ProfileReader, LongValuesAreCutToTheBuffer) {
    ProfileText text("[S]\nLong=" + std::string(2000, 'a') + "\n");
    int count = 0;
    EXPECT_EQ(Read(text, "S", "Long", "", 1024, &count), std::string(1023, 'a'));
    EXPECT_EQ(count, 1023);
}

TEST(ProfileReader, KeyNamesInFileOrderAndCutLikeWindows) {
    // A line without '=' is no key: Windows leaves it out of the list.
    ProfileText text("[Products]\nAlpha=WIN32\nbeta=\nGamma\nDelta=x\n[Other]\nx=1\n");
    int count = 0;
    std::string names = Read(text, "products", nullptr, "", 350, &count);
    EXPECT_EQ(names, std::string("Alpha\0beta\0Delta\0", 17));
    EXPECT_EQ(count, 17);

    // A list that does not fit: the last name is cut, two NULs end it, and the count
    // is the buffer size less two.
    std::string small(14, '\x7F');
    EXPECT_EQ(text.GetString("Products", nullptr, "", &small[0], 14), 12);
    EXPECT_EQ(small, std::string("Alpha\0beta\0D\0\0", 14));

    EXPECT_EQ(Read(text, "Empty", nullptr, "", 350, &count), "");
    EXPECT_EQ(count, 0);
}

TEST(ProfileReader, LineWithoutEqualsReadsAsMissing) {
    // Windows finds the first line of a name, and one without '=' has no value.
    ProfileText text("[Products]\nAlpha=WIN32\nGamma\nDelta\nDelta=later\n");
    EXPECT_EQ(Read(text, "Products", "Gamma"), "DEF");
    EXPECT_EQ(Read(text, "Products", "Delta"), "DEF");
    EXPECT_EQ(text.GetInt("Products", "Gamma", 7), 7u);
    EXPECT_EQ(Read(text, "Products", nullptr, ""), std::string("Alpha\0Delta\0", 12));
}

TEST(ProfileReader, IntegersAsWindowsParsesThem) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {
        // "\00115" is the control character \001, then 15.
        {"0x10", 16}, {"0X10", 0}, {"0x1fg", 31}, {"-0x10", -16},    {"0o17", 15},   {"0o19", 1},
        {"0b101", 5}, {"+12", 12}, {"010", 10},   {"4294967297", 1}, {"\00115", 15}, {"- 5", 0},
    };
    for (const Case& c : cases) {
        ProfileText text(std::string("[S]\nN=") + c.value + "\n");
        EXPECT_EQ(static_cast<int>(text.GetInt("S", "N", 7)), c.expected) << c.value;
    }
    // Only the first 29 characters count.
    ProfileText text("[S]\nN=" + std::string(27, '0') + "12345\n");
    EXPECT_EQ(text.GetInt("S", "N", 7), 12u);
}

TEST(ProfileReader, CtrlZIsABlank) {
    // DOS end-of-file marks: after a value, starting a line, alone on lines; text after
    // one is still read.
    ProfileText text("[General]\r\nBitmap=back.bmp\x1A\r\n\x1A[Products]\r\nAlpha=WIN32\r\n\x1A\r\n"
                     "Gamma=x\x1Ay\r\n\x1A");
    EXPECT_EQ(Read(text, "General", "Bitmap"), "back.bmp");
    EXPECT_EQ(Read(text, "Products", nullptr, ""), std::string("Alpha\0Gamma\0", 12));
    EXPECT_EQ(Read(text, "Products", "Gamma"), "x\x1Ay");
}

TEST(ProfileReader, DoubleByteNamesDoNotFoldCase) {
    // In Shift-JIS \x83\x41 and \x83\x61 are two letters whose trail bytes are A and a.
    const std::string menu = "[\x83\x41]\nName=first\n[\x83\x61]\nName=second\n"
                             "[Keys]\n\x83\x41=upper\n\x83\x61=lower\n[Mixed\x83\x41]\n\x83\x61Key=found\n";
    const ProfileText sjis(menu, LeadByteTable::ForCodePage(932));
    const ProfileText singleByte(menu);
    struct Case {
        const char* section;
        const char* key;
        const char* inShiftJis;
        const char* inSingleBytes;
    } cases[] = {
        {"\x83\x61", "Name", "second", "first"},          {"\x83\x41", "Name", "first", "first"},
        {"Keys", "\x83\x61", "lower", "upper"},           {"MIXED\x83\x41", "\x83\x61KEY", "found", "found"},
        {"Mixed\x83\x61", "\x83\x61Key", "DEF", "found"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(sjis, c.section, c.key), c.inShiftJis) << c.section << "/" << c.key;
        EXPECT_EQ(Read(singleByte, c.section, c.key), c.inSingleBytes) << c.section << "/" << c.key;
    }
}

// A quoted value is cut with its closing quote, which goes only when all of it fitted.
TEST(ProfileReader, QuotedValuesCutAtTheBufferAsWindowsCutsThem) {
    ProfileText text("[S]\r\nQ=\"ab\"\r\nE=\"\"\r\n");
    struct Case {
        const char* key;
        int size;
        const char* expected;
    } cases[] = {
        {"Q", 4, "ab"}, {"Q", 3, "a"}, {"Q", 2, "a"}, {"Q", 1, ""}, {"E", 1, ""}, {"E", 2, ""},
    };
    for (const Case& c : cases) {
        char buffer[8] = "xxxxxxx";
        int n = text.GetString("S", c.key, "", buffer, c.size);
        EXPECT_STREQ(buffer, c.expected) << c.key << " " << c.size;
        EXPECT_EQ(n, static_cast<int>(std::strlen(c.expected))) << c.key << " " << c.size;
    }
}

// Windows takes a line for a section header only when a ']' follows the '['; any other
// line is a key line of the section above, with or without '='.
TEST(ProfileReader, HeaderWithoutItsEndBelongsToTheSectionAbove) {
    ProfileText text("[General]\nBitmap=b.bmp\n[Products\nCaption=1\n[Products]\nAlpha=x\n[Many=y\nGamma=\n");
    EXPECT_EQ(Read(text, "General", "Caption"), "1");
    EXPECT_EQ(Read(text, "General", "[Products"), "DEF");
    EXPECT_EQ(Read(text, "Products", "[Many"), "y");
    EXPECT_EQ(Read(text, "Products", nullptr, ""), std::string("Alpha\0[Many\0Gamma\0", 18));
    EXPECT_EQ(Read(text, "Many", "Gamma"), "DEF");

    // In Shift-JIS \x83\x5D is a letter whose trail byte is ']'.
    const std::string menu = "[Tail]\nFirst=1\n[\x83\x5D\nSecond=2\n";
    EXPECT_EQ(Read(ProfileText(menu, LeadByteTable::ForCodePage(932)), "Tail", "Second"), "2");
    EXPECT_EQ(Read(ProfileText(menu), "\x83", "Second"), "2");
}

TEST(ProfileReader, LinesAreNumberedAsAnEditorShowsThem) {
    std::vector<int> numbers;
    std::vector<std::string> names;
    ForEachProfileLine(
        "[S]\r\na=1\rb=2\nc=3\r\n\r\n; note\n\r[T\r\nd", LeadByteTable(), [&](const ProfileLine& line) {
            numbers.push_back(line.number);
            names.push_back(line.name + (line.header ? "]" : "") + (line.headerWithoutEnd ? "!" : ""));
        });
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 8, 9}));
    EXPECT_EQ(names, (std::vector<std::string>{"S]", "a", "b", "c", "[T!", "d"}));
}
