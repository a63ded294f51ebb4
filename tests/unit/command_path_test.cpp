#include <gtest/gtest.h>

#include "commands/command_path.h"

using namespace ostrel;

TEST(CommandPath, ResolvesProgramLinesAgainstTheBaseDirectory) {
    struct Case {
        const char* base;
        const char* command;
        const char* expected;
    } cases[] = {
        {"E:\\", "", ""},
        {"E:\\", "%notepad.exe readme.txt", "notepad.exe readme.txt"},
        {"E:\\", "x.exe", "E:\\x.exe"},
        {"E:\\", "setup\\disk1\\setup.exe /s", "E:\\setup\\disk1\\setup.exe /s"},
        {"E:\\", "\"x.exe\" /s", "E:\\x.exe /s"},
        {"E:\\", "\"my prog.exe\" /s", "\"E:\\my prog.exe\" /s"},
        {"E:\\menu\\", "\\tools\\x.exe", "E:\\tools\\x.exe"},
        {"E:\\menu\\", "sub\\x.exe", "E:\\menu\\sub\\x.exe"},
        {"C:\\My Media\\", "x.exe /q", "\"C:\\My Media\\x.exe\" /q"},
        {"E:\\", "D:\\tools\\x.exe /q", "D:\\tools\\x.exe /q"},
        {"E:\\", "\\\\server\\share\\x.exe /q", "\\\\server\\share\\x.exe /q"},
        {"E:\\", "x.exe  /s", "E:\\x.exe  /s"},
        {"E:\\", "\"x.exe\"/s", "E:\\x.exe s"},
        {"E:\\", "x.exe\t/s", "E:\\x.exe\t/s"}, // only a blank ends an unquoted program
        // Keywords stay as written, in any letter case; keywords with more text do not.
        {"E:\\", "tavexit", "tavexit"},
        {"E:\\", "TAVEXIT", "TAVEXIT"},
        {"E:\\", "tavexit now", "E:\\tavexit now"},
        {"E:\\", "tavnop x", "E:\\tavnop x"},
        {"E:\\", "tavshlex setup.exe", "tavshlex setup.exe"},
        {"E:\\", "TavShlexUrl http://x", "TavShlexUrl http://x"},
        {"E:\\", "tavcreateprocess a.exe", "tavcreateprocess a.exe"},
        {"E:\\", "tavlinkroot sub", "tavlinkroot sub"},
        {"E:\\", "run.exe /menu=tavlink.ini", "run.exe /menu=tavlink.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveCommandPath(c.command, c.base, LeadByteTable()), c.expected) << c.command;
}

// In Shift-JIS many characters end in 0x5C, the backslash: such a trail byte must
// not split a path, and a character in the program name is not taken for a blank.
TEST(CommandPath, DoubleByteNamesAreNotSplitAtTrailBytes) {
    LeadByteTable sjis = LeadByteTable::ForCodePage(932);
    const std::string so = "\x83\x5C"; // a katakana letter whose trail byte is 0x5C
    SplitCommand split = SplitCommandLine("setup" + so + ".exe /s", sjis);
    EXPECT_EQ(split.directory, "");
    EXPECT_EQ(split.file, "setup" + so + ".exe");
    EXPECT_EQ(split.parameters, "/s");
    EXPECT_EQ(ResolveCommandPath("dir" + so + "\\a.exe", "E:\\", sjis), "E:\\dir" + so + "\\a.exe");
    // Read byte by byte the same command splits at the trail byte.
    EXPECT_EQ(SplitCommandLine("setup" + so + ".exe /s", LeadByteTable()).directory, "setup\x83\\");
    // A trail byte is no keyword letter: 0x81 0x74 is one character, not "t".
    EXPECT_EQ(ResolveCommandPath("\x81tavlink.exe", "E:\\", sjis), "E:\\\x81tavlink.exe");
}

// The one character after a keyword, and the one after a closing quote, may be a
// double-byte blank (0x81 0x40 in Shift-JIS): it goes whole, never half.
TEST(CommandPath, DoubleByteSeparatorsGoWhole) {
    LeadByteTable sjis = LeadByteTable::ForCodePage(932);
    const std::string blank = "\x81\x40";
    CommandWord word = RecogniseCommand("tavshlex" + blank + "setup.exe");
    EXPECT_EQ(CommandArgument("tavshlex" + blank + "setup.exe", word, sjis), "setup.exe");
    EXPECT_EQ(CommandArgument("tavshlex" + blank, word, sjis), "");
    EXPECT_EQ(SplitCommandLine("\"x.exe\"" + blank + "/s", sjis).parameters, "/s");
    EXPECT_EQ(ResolveCommandPath("\"x.exe\"" + blank + "/s", "E:\\", sjis), "E:\\x.exe /s");
}

TEST(CommandPath, DispatchRecognisesLowerCaseKeywordsAtTheStart) {
    struct Case {
        const char* command;
        CommandKind kind;
        const char* argument;
    } cases[] = {
        {"", CommandKind::Empty, ""},
        {"tavexit", CommandKind::Exit, ""},
        {"TAVEXIT", CommandKind::ProgramLine, "TAVEXIT"},
        {"tavexit now", CommandKind::ProgramLine, "tavexit now"},
        {"tavnop", CommandKind::Nop, ""},
        {"tavlinkroot ..", CommandKind::LinkRoot, ".."},
        {"tavlinkroot", CommandKind::LinkRoot, ""},
        {"tavlink other.ini", CommandKind::Link, "other.ini"},
        {"tavshlexfile doc.txt", CommandKind::ShellFile, "doc.txt"},
        {"tavshlexurl http://example.invalid/", CommandKind::ShellUrl, "http://example.invalid/"},
        {"tavshlexrunas setup.exe", CommandKind::ShellRunAs, "setup.exe"},
        {"tavshlex  setup.exe /s", CommandKind::Shell, " setup.exe /s"},
        {"tavshlex_x.exe", CommandKind::Shell, "x.exe"},
        {"tavcreateprocess a.exe b", CommandKind::CreateProcess, "a.exe b"},
        {"E:\\setup.exe", CommandKind::ProgramLine, "E:\\setup.exe"},
    };
    for (const Case& c : cases) {
        CommandWord word = RecogniseCommand(c.command);
        EXPECT_EQ(word.kind, c.kind) << c.command;
        EXPECT_EQ(CommandArgument(c.command, word, LeadByteTable()), c.argument) << c.command;
    }
}
