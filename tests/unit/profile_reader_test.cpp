#include <gtest/gtest.h>

#include <string>

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
    ProfileText text("[Products]\nAlpha=WIN32\nbeta=\nGamma\n[Other]\nx=1\n");
    int count = 0;
    std::string names = Read(text, "products", nullptr, "", 350, &count);
    EXPECT_EQ(names, std::string("Alpha\0beta\0Gamma\0", 17));
    EXPECT_EQ(count, 17);

    // A list that does not fit: the last name is cut, two NULs end it, and the count
    // is the buffer size less two.
    std::string small(12, '\x7F');
    EXPECT_EQ(text.GetString("Products", nullptr, "", &small[0], 12), 10);
    EXPECT_EQ(small.substr(0, 12), std::string("Alpha\0beta\0\0", 12));

    EXPECT_EQ(Read(text, "Empty", nullptr, "", 350, &count), "");
    EXPECT_EQ(count, 0);
}
