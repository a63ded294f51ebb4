// The command keywords of a menu, and how a program command line is made absolute
// against the base directory when the menu is loaded.
#pragma once

#include <string>

#include "text/ansi_text.h"

namespace ostrel {

// What dispatch makes of a command as written: keywords count only in lower case,
// at the start of the command (tavexit and tavnop only as the whole command).
enum class CommandKind {
    Empty,
    Exit,          // tavexit
    Nop,           // tavnop
    LinkRoot,      // tavlinkroot <dir | .. | nothing>
    Link,          // tavlink <menu file>
    ShellFile,     // tavshlexfile <document> [parameters]
    ShellUrl,      // tavshlexurl <target>
    ShellRunAs,    // tavshlexrunas <command line>
    Shell,         // tavshlex <command line>
    CreateProcess, // tavcreateprocess <command line>
    ProgramLine,   // anything else: run through WinExec
};

struct CommandWord {
    CommandKind kind;
    const char* keyword; // null for Empty and ProgramLine
};

CommandWord RecogniseCommand(const std::string& command);

// The argument of a keyword command: what follows the keyword and its one separator
// character, whatever that character is (a double-byte blank goes whole).
std::string CommandArgument(const std::string& command, const CommandWord& word, const LeadByteTable& lead);

struct SplitCommand {
    std::string directory; // empty, or ending in a backslash
    std::string file;
    std::string parameters;
};
SplitCommand SplitCommandLine(const std::string& command, const LeadByteTable& lead);

// Keywords and UNC paths stay as written; "%" drops itself and leaves the rest to
// WinExec's own search; other program paths become absolute against `baseDir`.
std::string ResolveCommandPath(const std::string& command, const std::string& baseDir, const LeadByteTable& lead);

} // namespace ostrel
