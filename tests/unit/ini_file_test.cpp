#include <gtest/gtest.h>

#include "fake_system.h"
#include "menu/ini_file.h"
#include "temp_file.h"

using namespace ostrel;
using ostrel::test::FakeSystem;
using ostrel::test::TempFile;

namespace {
struct Loaded {
    FakeSystem system;
    std::string menuDir = "D:\\setup\\";
    std::string baseDir = "E:\\";
    CIniFile menu{system, menuDir, baseDir};
    bool result = false;
    explicit Loaded(const std::string& text, std::uint32_t version = 0x0000000A) {
        system.version = version;
        TempFile file(text);
        menu.m_strPath = file.path();
        result = menu.Load();
    }
};
} // namespace

TEST(IniFile, OnlyABitmapGivesTheDefaults) {
    Loaded l("[General]\nBitmap=back.bmp\n");
    EXPECT_TRUE(l.result);
    EXPECT_EQ(l.menu.m_bLoaded, 1);
    EXPECT_EQ(l.menu.m_strBitmap, "D:\\setup\\back.bmp");
    EXPECT_EQ(l.menu.m_strCopyright, "");
    EXPECT_EQ(l.menu.m_crForeground, 0x00C0C0C0u);
    EXPECT_EQ(l.menu.m_bFingerCursor, 1);
    EXPECT_EQ(l.menu.m_bDebug, 0);
    EXPECT_EQ(l.menu.m_bUseImageDpi, 0);
    EXPECT_EQ(l.menu.m_strDefaultCaption, "Tamberly");
    EXPECT_EQ(l.menu.m_nWidth, 0);
    EXPECT_EQ(l.menu.m_nHeight, 0);
    EXPECT_EQ(l.menu.GetCount(), 0);
    EXPECT_THROW(l.menu.GetAt(0), CInvalidArgException);
}

TEST(IniFile, NoBackgroundFailsAndChangesOnlyWhatWasRead) {
    Loaded l("[General]\nCopyright=(c) us\nDefaultCaption=Never read\nForeground=9\n");
    EXPECT_FALSE(l.result);
    EXPECT_EQ(l.menu.m_bLoaded, 0);
    EXPECT_EQ(l.menu.m_strCopyright, "(c) us");
    EXPECT_EQ(l.menu.m_strDefaultCaption, "");
    EXPECT_EQ(l.menu.m_crForeground, 0x00123456u);
    EXPECT_EQ(l.menu.m_nWidth, 640);
    EXPECT_EQ(l.menu.m_nHeight, 480);
}

TEST(IniFile, ForegroundOnlyWhenItDiffersFromBackground) {
    struct Case {
        const char* keys;
        Colour expected;
    } cases[] = {
        {"Background=12\nForeground=12\n", 0x00123456}, // equal texts: the system colour stays
        {"Background=\nForeground=\n", 0x00123456},
        {"Foreground=9\n", 0x000000FF},
        {"Foreground=15\n", 0x00FFFFFF},
        {"Foreground=16\n", 0x00100000},
        {"Foreground=0,128,255\n", 0x00FF8000},
        {"Background=7\n", 0x00123456}, // "7" against the default "7"
        {"Background=9a\nForeground=9A\n", 0x000000FF}, // the texts differ in letter case only
    };
    for (const Case& c : cases) {
        Loaded l(std::string("[General]\nBitmap=b.bmp\n") + c.keys);
        EXPECT_EQ(l.menu.m_crForeground, c.expected) << c.keys;
    }
}

TEST(IniFile, SwitchesAreStoredAsRead) {
    Loaded l("[General]\nBitmap=b.bmp\nFingerCursor=2\nDebug=1\nUseImageDpi=-3\n");
    EXPECT_EQ(l.menu.m_bFingerCursor, 2);
    EXPECT_EQ(l.menu.m_bDebug, 1);
    EXPECT_EQ(l.menu.m_bUseImageDpi, -3);
}

TEST(IniFile, TradeMarkSignsLeaveTheCaptionOnWindows95AndNt4Only) {
    struct Case {
        std::uint32_t version;
        const char* expected;
    } cases[] = {
        {0xC0000004, "Setup Works"},             // Windows 95
        {0xC0000A04, "Setup Works"},             // Windows 98
        {0x00000004, "Setup Works"},             // NT 4.0
        {0x00000105, "Setup\x99 Works\xAE"},     // XP
        {0x0000000A, "Setup\x99 Works\xAE"},     // 10
        {0x80000003, "Setup\x99 Works\xAE"},     // Win32s: neither family
    };
    for (const Case& c : cases) {
        Loaded l("[General]\nBitmap=b.bmp\nDefaultCaption=Setup\x99 Works\xAE\n", c.version);
        EXPECT_EQ(l.menu.m_strDefaultCaption, c.expected) << std::hex << c.version;
    }
}

TEST(IniFile, PlatformWordsOfGetVersion) {
    struct Case {
        std::uint32_t version;
        int major, minor, nt, win9x;
    } cases[] = {
        {0x80000A03, 3, 10, 0, 0}, {0xC0000004, 4, 0, 0, 1},   {0xC0000A04, 4, 10, 0, 1},
        {0xC0005A04, 4, 90, 0, 1}, {0x04213303, 3, 51, 1, 0}, {0x05650004, 4, 0, 1, 0},
        {0x0A280105, 5, 1, 1, 0},  {0x4A61000A, 10, 0, 1, 0},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.version = c.version;
        std::string dir;
        CIniFile menu(system, dir, dir);
        menu.IdentifyPlatform();
        EXPECT_EQ(menu.m_wMajorVersion, c.major) << std::hex << c.version;
        EXPECT_EQ(menu.m_wMinorVersion, c.minor) << std::hex << c.version;
        EXPECT_EQ(menu.m_bWinNT, c.nt) << std::hex << c.version;
        EXPECT_EQ(menu.m_bWin9x, c.win9x) << std::hex << c.version;
    }
}

// A link first asks whether its menu would load: the answer must be the load's own.
TEST(IniFile, NamesBackgroundAnswersAsTheLoadDoes) {
    struct Case {
        const char* text;
        int depth;
        bool loads;
    } cases[] = {
        {"[General]\nBitmap=back.bmp\n", 32, true},
        {"[General]\nBitmap=\n", 32, false},
        {"[General]\nCopyright=no picture\n", 32, false},
        {"[general]\nBITMAP=\"back.bmp\"\n", 32, true},
        {"[General]\nBitmap16=\n", 4, true}, // present but empty: the menu folder itself
        {"[General]\nBitmap16=b16.bmp\n", 32, false},
        {"", 32, false},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.colourDepth = c.depth;
        std::string menuDir = "D:\\setup\\", baseDir = "E:\\";
        CIniFile menu(system, menuDir, baseDir);
        TempFile file(c.text);
        menu.m_strPath = file.path();
        EXPECT_EQ(menu.NamesBackground(), c.loads) << c.text;
        EXPECT_EQ(menu.Load(), c.loads) << c.text;
    }
    FakeSystem system;
    std::string menuDir, baseDir;
    CIniFile missing(system, menuDir, baseDir);
    missing.m_strPath = "/nonexistent/ostrel.ini";
    EXPECT_FALSE(missing.NamesBackground());
}
