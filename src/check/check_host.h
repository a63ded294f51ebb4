// What the menu checker needs of the machine it runs on.
#pragma once

#include <string>

#include <memory>

#include "check/menu_lint.h"
#include "text/ansi_text.h"

namespace ostrel {

// The lead bytes of a code page; false when the code page is unknown here.
bool HostLeadBytes(unsigned codePage, LeadByteTable& lead);
// Menus are read as text of the code page with these lead bytes, where this program
// reads them itself; Windows' profile functions read them in the process's code page.
void HostReadMenusWith(const LeadByteTable& lead);
// Text of the code page to UTF-8; false when it cannot be converted.
bool HostToUtf8(const std::string& text, unsigned codePage, std::string& utf8);
// The path as this program opens it, and the folder of it as Windows names it
// (ending in a backslash); false when the file cannot be read.
bool HostMenuPaths(const std::string& given, std::string& openPath, std::string& windowsFolder);
// The files a menu names, as the launcher would find them from here.
std::unique_ptr<FileProbe> HostFiles();

} // namespace ostrel
