#include <gtest/gtest.h>

#include "menu/profile_native.h"
#include "menu/storage.h"
#include "temp_file.h"

using namespace ostrel;
using ostrel::test::TempFile;

TEST(Storage, EmptyArgumentsMeanThePreviousSectionAndKey) {
    TempFile file("[General]\nCaption=1\nOther=two\n");
    Storage storage(file.path());
    std::string text;
    // A fresh object with an empty section reads nothing.
    EXPECT_EQ(storage.ReadInt("Caption", "", 5), 5u);
    EXPECT_EQ(storage.ReadInt("Caption", "General", 0), 1u);
    storage.ReadString(text, "", "", "");
    EXPECT_EQ(text, "1");
    storage.ReadString(text, "", "Other", "");
    EXPECT_EQ(text, "two");
}

TEST(Storage, KeyListCountsTheNamesThatFit) {
    std::string products = "[Products]\n";
    for (int i = 0; i < 40; ++i)
        products += "Product" + std::to_string(i) + "=\n"; // 9 or 10 bytes each with its NUL
    TempFile file(products + "[Empty]\n");
    Storage storage(file.path());
    int count = -1;
    EXPECT_EQ(storage.ReadKeyList(count, "Empty"), nullptr);
    EXPECT_EQ(count, 0);

    auto names = storage.ReadKeyList(count, "Products");
    ASSERT_NE(names, nullptr);
    // 10 names of 9 bytes, then 25 of 10 fill 340; the 36th is cut to "Product3".
    ASSERT_EQ(count, 36);
    EXPECT_EQ(names[0], "Product0");
    EXPECT_EQ(names[34], "Product34");
    EXPECT_EQ(names[35], "Product3");
}

TEST(Storage, NamesFollowTheCodePageSetForTheNativeReader) {
    // In Shift-JIS \x83\x41 and \x83\x61 are two letters whose trail bytes are A and a.
    TempFile file("[\x83\x41]\nName=first\n[\x83\x61]\nName=second\n");
    Storage storage(file.path());
    std::string single, shiftJis;
    storage.ReadString(single, "", "Name", "\x83\x61");
    // The file is unchanged since that read: only a dropped cache sees the new code page.
    profile::SetLeadBytes(LeadByteTable::ForCodePage(932));
    storage.ReadString(shiftJis, "", "Name", "\x83\x61");
    profile::SetLeadBytes(LeadByteTable());
    EXPECT_EQ(single, "first");
    EXPECT_EQ(shiftJis, "second");
}

TEST(Storage, AStringIsReadThroughOneKilobyte) {
    TempFile file("[General]\nLong=" + std::string(2000, 'x') + "\n");
    std::string text;
    EXPECT_EQ(Storage(file.path()).ReadString(text, "", "Long", "General"), 1023);
    EXPECT_EQ(text.size(), 1023u);
}

TEST(Storage, MissingFileGivesDefaults) {
    Storage storage("/nonexistent/ostrel.ini");
    std::string text;
    EXPECT_EQ(storage.ReadString(text, "fallback", "Bitmap", "General"), 8);
    EXPECT_EQ(text, "fallback");
    EXPECT_EQ(storage.ReadInt("Caption", "General", 3), 3u);
}

TEST(Storage, WritesReplaceAddAndAppend) {
    TempFile file("[General]\r\nCaption=1\r\n\r\n[Other]\r\nx=1\r\n");
    Storage storage(file.path());
    std::string text;
    EXPECT_TRUE(storage.WriteInt(-12, "caption", "general"));
    EXPECT_TRUE(storage.WriteString("new", "Added", "General"));
    EXPECT_TRUE(storage.WriteString("v", "k", "Fresh"));
    EXPECT_EQ(static_cast<int>(storage.ReadInt("Caption", "General", 0)), -12);
    storage.ReadString(text, "", "Added", "General");
    EXPECT_EQ(text, "new");
    storage.ReadString(text, "", "k", "Fresh");
    EXPECT_EQ(text, "v");
    storage.ReadString(text, "", "x", "Other");
    EXPECT_EQ(text, "1");
    EXPECT_FALSE(Storage("/nonexistent/dir/x.ini").WriteString("v", "k", "S"));
}
