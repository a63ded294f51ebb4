#include <gtest/gtest.h>

#include <string>

#include "text/utf16_text.h"

using namespace ostrel;

namespace {
std::string Utf16(std::u16string text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}
} // namespace

TEST(Utf16Text, CodePage1252AsWindowsConvertsIt) {
    struct Case {
        std::u16string text;
        const char* expected;
    } cases[] = {
        {u"plain [ASCII] = text", "plain [ASCII] = text"},
        {u"caf\u00e9 \u00ff", "caf\xE9 \xFF"},                       // as they are
        {u"\u20ac \u2013 \u0178 \u017e", "\x80 \x96 \x9F \x9E"},     // 0x80-0x9F
        {u"\u0081\u008d\u008f\u0090\u009d", "\x81\x8D\x8F\x90\x9D"}, // 1252 leaves these five as they are
        {u"\u0080", "?"},
        {u"\u0101 \u0141 \uff21", "a L A"}, // nearest letters
        {u"\u3042 \U0001F600", "? ??"},     // none near: each half a '?'
    };
    for (const Case& c : cases) {
        std::string text;
        ASSERT_TRUE(Utf16LeToCodePage(Utf16(c.text), 1252, text));
        EXPECT_EQ(text, c.expected);
    }
    std::string text;
    EXPECT_TRUE(Utf16LeToCodePage(std::string("A\0B", 3), 1252, text)); // an odd last byte is no character
    EXPECT_EQ(text, "A");
    EXPECT_FALSE(Utf16LeToCodePage(Utf16(u"x"), 932, text));
    EXPECT_TRUE(HasUtf16LeMark("\xFF\xFE[\0"));
    EXPECT_FALSE(HasUtf16LeMark("\xFE\xFF\0["));
}
