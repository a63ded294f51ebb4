#include <gtest/gtest.h>

#include "fake_system.h"
#include "menu/ini_file.h"
#include "temp_file.h"

using namespace ostrel;
using ostrel::test::FakeSystem;
using ostrel::test::TempFile;

namespace {
constexpr std::uint32_t kWin95 = 0xC0000004, kWin98 = 0xC0000A04, kNt351 = 0x04213303, kNt4 = 0x05650004,
                        kWin2000 = 0x08930005, kXp = 0x0A280105, kVista = 0x17700006, kWin7 = 0x1DB10106,
                        kWin10 = 0x4A61000A, kWin32s = 0x80000A03;

struct Menu {
    FakeSystem system;
    std::string menuDir = "E:\\m\\";
    std::string baseDir = "E:\\";
    CIniFile model{system, menuDir, baseDir};

    Menu(const std::string& text, std::uint32_t version, unsigned architecture = 9) {
        system.version = version;
        system.nativeArchitecture = architecture;
        system.wow64 = architecture != 0;
        TempFile file(text);
        model.m_strPath = file.path();
        model.Load();
    }
    // "Product=Section" for each choice, in order.
    std::string Sections() const {
        std::string result;
        for (const auto& choice : model.m_arrChoices)
            result += (result.empty() ? "" : " ") + choice->m_strProduct + "=" + choice->m_strSection;
        return result;
    }
};

const char kExample[] = "[General]\nBitmap=menu.bmp\nCopyright=Example line\nForeground=255,255,255\n"
                        "[Products]\nAlpha=\nBeta=WIN32,DEFAULT\nGamma=WINNT\n"
                        "[Alpha]\nBitmap=alpha.bmp\nBitmapHi=alpha_hi.bmp\nBitmapPress=alpha_down.bmp\n"
                        "Point=40,120\nCommand=tavnop\n"
                        "[Beta]\nRect=200,60\nBitmapMemo=beta_memo.bmp\n"
                        "[Beta.WIN32]\nPoint=40,200\nPointMemo=300,40\nCommand=tavnop\n"
                        "[Beta.DEFAULT]\nPoint=40,200\nCommand=tavnop\n"
                        "[Gamma]\nBitmap=gamma.bmp\n"
                        "[Gamma.WINNT.X64]\nPoint=40,280\nCommand=tavexit\n";
} // namespace

TEST(Products, TheExampleMenuOn64And32BitWindows) {
    Menu x64(kExample, kWin10, 9);
    EXPECT_EQ(x64.Sections(), "Alpha=Alpha Beta=Beta.WIN32 Gamma=Gamma.WINNT.X64");
    const CChoice& alpha = *x64.model.GetAt(0);
    EXPECT_EQ(alpha.m_strBitmap, "E:\\m\\alpha.bmp");
    EXPECT_EQ(alpha.m_strBitmapPress, "E:\\m\\alpha_down.bmp");
    EXPECT_EQ(alpha.m_ptPoint.x, 40);
    EXPECT_EQ(alpha.m_ptPoint.y, 120);
    EXPECT_EQ(alpha.m_strCommand, "tavnop");
    const CChoice& beta = *x64.model.GetAt(1);
    EXPECT_EQ(beta.m_strBitmap, "");
    EXPECT_EQ(beta.m_strBitmapMemo, "E:\\m\\beta_memo.bmp");
    EXPECT_EQ(beta.m_sizeBitmap.cx, 200);
    EXPECT_EQ(beta.m_sizeBitmapHi.cy, 60);
    EXPECT_EQ(beta.m_ptPointMemo.x, 300);
    EXPECT_EQ(x64.model.GetAt(2)->m_strCommand, "tavexit");

    Menu intel(kExample, kWin10, 0);
    EXPECT_EQ(intel.Sections(), "Alpha=Alpha Beta=Beta.WIN32");
}

TEST(Products, PlatformRuleOnEveryFamily) {
    struct Case {
        const char* list;
        std::uint32_t version;
        unsigned architecture;
        const char* sections; // [P.x] sections that have a Command ("x=": an empty one)
        const char* expected; // chosen section, or "-" when left out
    } cases[] = {
        {"win95", kWin98, 0, "", "P.WIN95"},
        {"win95", kXp, 0, "", "-"},
        {"WIN32,WIN95", kWin98, 0, "", "P.WIN95"},
        {"WIN32", kWin95, 0, "", "P.WIN32"},
        {"WIN32", kWin32s, 0, "", "-"},
        {"DEFAULT", kWin32s, 0, "", "P.DEFAULT"},
        {"WIN16", kWin32s, 0, "", "-"},
        {"WIN32,WINNT", kWin10, 9, "", "P.WINNT.X64"},       // WIN32 stays selected; the NT probe sets the section
        {"WIN32,WINNT", kWin10, 9, "WINNT", "P.WINNT"},
        {"WIN32,WINNT", kWin98, 0, "WINNT", "P.WIN32"},
        {"WINNT", kWin10, 9, "WINNT.X64", "P.WINNT.X64"},
        {"WINNT", kWin10, 0, "WINNT.X64", "-"},
        {"WINNT", kWin10, 6, "WINNT.IA64", "P.WINNT.IA64"},
        {"WINNT", kWin10, 12, "WINNT.", "P.WINNT."},         // ARM64: the empty architecture word
        {"WINNT", kWin10, 9, "WINNT=", "P.WINNT"},           // an empty Command is present
        {"WINXP,DEFAULT", kXp, 0, "", "P.DEFAULT"},
        {"WINXP,DEFAULT", kXp, 0, "WINXP.INTEL", "P.WINXP.INTEL"},
        {"WINXP,DEFAULT", kXp, 0, "WINXP", "P.WINXP"},
        {"WIN2000", kWin2000, 0, "WIN2000", "P.WIN2000"},
        {"WIN2000 WINNT", kXp, 0, "WINNT", "P.WINNT"},
        {"WINNT40", kNt4, 0, "WINNT40", "P.WINNT40"},       // WINNT40 contains WINNT
        {"WINNT351", kNt351, 0, "WINNT351", "P.WINNT351"},
        {"VISTA", kVista, 9, "", "P.VISTA"},
        {"VISTA", kWin7, 9, "", "-"},
        {"VISTA WINNT", kVista, 9, "WINNT", "P.WINNT"},
        {"WIN32,VISTA", kVista, 9, "", "P.VISTA"},
        {"vista,win95", kWin95, 0, "", "P.WIN95"},
        {"WIN32WINNT", kWin7, 9, "WINNT", "P.WINNT"},        // separators do not matter
        {"nothing", kWin10, 9, "", "-"},
    };
    for (const Case& c : cases) {
        std::string text = std::string("[General]\nBitmap=b.bmp\n[Products]\nP=") + c.list + "\n";
        std::string sections = c.sections;
        for (size_t start = 0; !sections.empty() && start != std::string::npos;) {
            size_t space = sections.find(' ', start);
            std::string name =
                sections.substr(start, space == std::string::npos ? std::string::npos : space - start);
            bool empty = name.back() == '=';
            if (empty)
                name.pop_back();
            text += "[P." + name + "]\nCommand=" + (empty ? "" : "tavnop") + "\n";
            start = space == std::string::npos ? space : space + 1;
        }
        Menu menu(text, c.version, c.architecture);
        std::string chosen = menu.model.GetCount() == 1 ? menu.model.GetAt(0)->m_strSection : "-";
        EXPECT_EQ(chosen, c.expected) << c.list << " on " << std::hex << c.version << " arch " << c.architecture;
    }
}

TEST(Products, ArchitectureQuery) {
    struct Case {
        bool hasIsWow64, callFails, wow64, hasNative;
        unsigned native, process;
        const char* word;
        const char* calls;
    } cases[] = {
        {true, false, true, true, 9, 0, "X64", "IsWow64Process GetNativeSystemInfo"},
        {true, false, false, true, 9, 0, "INTEL", "IsWow64Process GetSystemInfo"},
        {false, false, true, true, 9, 6, "IA64", "GetSystemInfo"},
        {true, false, true, false, 9, 0, "INTEL", "IsWow64Process GetSystemInfo"},
        {true, false, true, true, 12, 0, "", "IsWow64Process GetNativeSystemInfo"},
        {true, true, true, true, 9, 0, "",
         "IsWow64Process MessageBox(foreground, \"Error: IsWow64Process() call failed.\", \"Ostrel Error\", 0x10)"},
    };
    for (const Case& c : cases) {
        FakeSystem system;
        system.hasIsWow64Process = c.hasIsWow64;
        system.wow64CallFails = c.callFails;
        system.wow64 = c.wow64;
        system.hasGetNativeSystemInfo = c.hasNative;
        system.nativeArchitecture = c.native;
        system.processArchitecture = c.process;
        std::string dir;
        CIniFile menu(system, dir, dir);
        EXPECT_EQ(menu.GetArchitectureName(), c.word);
        std::string calls;
        for (const std::string& call : system.calls)
            calls += (calls.empty() ? "" : " ") + call;
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(Products, TheArchitectureIsAskedOnceForEachProductThatOpensTheNtFamily) {
    // Whether or not [P.WINNT] has a Command; products without an NT-family token, or
    // on Windows 98, do not ask.
    const char text[] = "[General]\nBitmap=b.bmp\n[Products]\nHas=WINNT\nLacks=WINNT\nXp=WINXP,DEFAULT\n"
                        "Old=WIN95,WIN32\nOwn=\n[Has.WINNT]\nCommand=tavnop\n";
    struct Case {
        std::uint32_t version;
        int queries;
    } cases[] = {{kWin10, 3}, {kWin98, 0}};
    for (const Case& c : cases) {
        Menu menu(text, c.version);
        int queries = 0;
        for (const std::string& call : menu.system.calls)
            queries += call == "IsWow64Process";
        EXPECT_EQ(queries, c.queries) << std::hex << c.version;
    }
}

TEST(Products, KeysComeFromTheRightSections) {
    Menu menu("[General]\nBitmap=b.bmp\n[Products]\nOwn=\nPlatform=WIN32\nRectFirst=\nNoRect=\nNoSection=\n"
              "[Own]\nPoint=1,2\nPointMemo=3\nCommand=setup.exe /s\nExitCode=1\nHide=1\nDefaultDir=sub\n"
              "TransparencyColor=0,0,0\nPreInstBoxType=YesNo\nPreInstMessage=Go?\nPreInstTitle=T\n"
              "[Platform]\nPoint=9,9\nCommand=ignored.exe\n[Platform.WIN32]\nPoint= 12 , 7\n"
              "[RectFirst]\nRect=\nBitmap=never.bmp\nBitmapMemo=memo.bmp\n"
              "[NoRect]\nBitmap=n.bmp\n",
              kWin10);
    ASSERT_EQ(menu.model.GetCount(), 5);
    const CChoice& own = *menu.model.GetAt(0);
    EXPECT_EQ(own.m_ptPoint.x, 1);
    EXPECT_EQ(own.m_ptPointMemo.x, 0);
    EXPECT_EQ(own.m_ptPointMemo.y, 3);
    EXPECT_EQ(own.m_strCommand, "E:\\setup.exe /s");
    EXPECT_EQ(own.m_nExitCode, 1);
    EXPECT_EQ(own.m_bHide, 1);
    EXPECT_EQ(own.m_strDefaultDir, "sub");
    EXPECT_EQ(own.m_bTransparency, 1);
    EXPECT_EQ(own.m_crTransparency, 0u);
    EXPECT_EQ(own.m_strPreInstBoxType, "YesNo");
    EXPECT_EQ(own.m_strPreInstMessage, "Go?");
    EXPECT_EQ(own.m_strPreInstTitle, "T");

    const CChoice& platform = *menu.model.GetAt(1);
    EXPECT_EQ(platform.m_ptPoint.x, 12);
    EXPECT_EQ(platform.m_ptPoint.y, 7);
    EXPECT_EQ(platform.m_strCommand, "");
    EXPECT_EQ(platform.m_bTransparency, 0);
    EXPECT_EQ(platform.m_crTransparency, 0x00FF00FFu);

    const CChoice& rect = *menu.model.GetAt(2); // an empty Rect counts as given
    EXPECT_EQ(rect.m_strBitmap, "");
    EXPECT_EQ(rect.m_strBitmapMemo, "E:\\m\\memo.bmp");
    EXPECT_EQ(rect.m_sizeBitmap.cx, 0);

    EXPECT_EQ(menu.model.GetAt(3)->m_strBitmap, "E:\\m\\n.bmp");
    EXPECT_EQ(menu.model.GetAt(4)->m_strSection, "NoSection");
}

TEST(Products, PairRule) {
    struct Case {
        const char* text;
        int x, y;
    } cases[] = {{"120,45", 120, 45}, {"45", 0, 45}, {"12 , 7", 12, 7}, {"1,2,3", 1, 2}, {"", 0, 0}, {"-5,x", -5, 0}};
    for (const Case& c : cases) {
        Point p = ParsePair(c.text, ",");
        EXPECT_EQ(p.x, c.x) << c.text;
        EXPECT_EQ(p.y, c.y) << c.text;
    }
}

TEST(Products, HitTestIncludesBothEdges) {
    CChoice choice;
    choice.m_ptPoint = Point{10, 20};
    choice.m_sizeBitmap = Size{30, 40};
    EXPECT_TRUE(choice.HitTest(10, 20));
    EXPECT_TRUE(choice.HitTest(40, 60));
    EXPECT_FALSE(choice.HitTest(9, 20));
    EXPECT_FALSE(choice.HitTest(41, 60));
    EXPECT_FALSE(choice.HitTest(40, 61));
    choice.m_ptPoint = Point{2147483600, 0};
    choice.m_sizeBitmap = Size{100, 10};
    EXPECT_TRUE(choice.HitTest(2147483647, 5)); // no overflow at the edge of the range
}

TEST(Products, TheProductListIsCutAt350Bytes) {
    std::string text = "[General]\nBitmap=b.bmp\n[Products]\n";
    for (int i = 0; i < 40; ++i)
        text += "Product" + std::to_string(i) + "=\n";
    Menu menu(text, kWin10);
    ASSERT_EQ(menu.model.GetCount(), 36);
    EXPECT_EQ(menu.model.GetAt(34)->m_strProduct, "Product34");
    EXPECT_EQ(menu.model.GetAt(35)->m_strProduct, "Product3"); // the cut last name
}

TEST(Products, GetAtOutOfRangeGivesTheFirstChoice) {
    Menu menu(kExample, kWin10);
    EXPECT_EQ(menu.model.GetAt(-1), menu.model.GetAt(0));
    EXPECT_EQ(menu.model.GetAt(3), menu.model.GetAt(0));
    EXPECT_EQ(menu.model.GetAt(2)->m_strProduct, "Gamma");
}

TEST(Products, ReloadsAppendToAnEmptiedList) {
    Menu menu(kExample, kWin10);
    {
        TempFile again(kExample);
        menu.model.m_strPath = again.path();
        EXPECT_TRUE(menu.model.Load()); // a load appends: emptying the list is the reload's part
        EXPECT_EQ(menu.model.GetCount(), 6);
        menu.model.RemoveAllChoices();
        EXPECT_TRUE(menu.model.Load());
        EXPECT_EQ(menu.Sections(), "Alpha=Alpha Beta=Beta.WIN32 Gamma=Gamma.WINNT.X64");
    }
    menu.model.RemoveAllChoices();
    EXPECT_FALSE(menu.model.Load()); // the file is gone: a failed load adds nothing
    EXPECT_EQ(menu.model.GetCount(), 0);
    EXPECT_EQ(menu.model.m_bLoaded, 1);
}
