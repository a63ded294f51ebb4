// What the menu checker needs of the machine it runs on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "check/menu_lint.h"
#include "text/ansi_text.h"

namespace ostrel {

// The largest menu file the checker reads: far above any real menu (the launcher opens
// menus of 12 MB), and a bound on what a device or a growing file could pour in.
constexpr std::uint64_t kMaxMenuBytes = 64ull * 1024 * 1024;

// The lead bytes of a code page; false when the code page is unknown here.
bool HostLeadBytes(unsigned codePage, LeadByteTable& lead);
// Menus are read as text of the code page with these lead bytes, where this program
// reads them itself; Windows' profile functions read them in the process's code page.
void HostReadMenusWith(const LeadByteTable& lead);
// Where this program reads menus itself, it reads this text as the file's.
void HostUseMenuText(const std::string& openPath, const std::string& text);
// Text of the code page to UTF-8; false when it cannot be converted.
bool HostToUtf8(const std::string& text, unsigned codePage, std::string& utf8);
// UTF-16LE (without its mark) to text of the code page, '?' for what it cannot show;
// false when the code page is unknown here.
bool HostFromUtf16(const std::string& utf16, unsigned codePage, std::string& text);

struct MenuFile {
    std::string openPath;      // as this program opens it
    std::string windowsFolder; // the folder of it as Windows names it, ending in a backslash
    std::string bytes;         // all of it
};
// Reads the whole menu file; false with a one-line reason when it cannot be read, is
// no file (a folder, a device, a pipe) or is larger than kMaxMenuBytes.
bool HostReadMenu(const std::string& given, MenuFile& menu, std::string& problem);
// The files a menu names, as the launcher would find them from here.
std::unique_ptr<FileProbe> HostFiles();

} // namespace ostrel
