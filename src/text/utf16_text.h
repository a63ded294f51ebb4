// Profile files written in UTF-16: Windows' profile functions read them and give their
// ANSI callers the text in the ANSI code page.
#pragma once

#include <string>

namespace ostrel {

// Whether the bytes begin with the byte order mark of UTF-16LE.
bool HasUtf16LeMark(const std::string& bytes);
bool HasUtf16BeMark(const std::string& bytes);

// UTF-16LE text (without its mark) in code page 1252, as Windows converts it: a
// character the code page lacks becomes its nearest letter where Windows has one (Ā as
// A), else '?', each half of a character beyond 16 bits too. False for other code pages.
bool Utf16LeToCodePage(const std::string& utf16, unsigned codePage, std::string& text);

} // namespace ostrel
