// The mistakes a menu can hold that the launcher passes over in silence: each with
// its line, a severity and a sentence a publisher understands.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "check/check_report.h"
#include "menu/picture_header.h"

namespace ostrel {

enum class Severity { Error, Warning, Note };
const char* SeverityName(Severity severity);

struct Finding {
    int line = 0; // 0: the finding concerns no single line
    Severity severity = Severity::Note;
    std::string message;
};

// What the checker needs of the files a menu names.
class FileProbe {
public:
    virtual ~FileProbe() = default;
    // Whether a Windows path (as the launcher would open it) can be told here, and
    // whether it names a file.
    virtual bool Knows(const std::string& windowsPath) = 0;
    virtual bool IsFile(const std::string& windowsPath) = 0;
    // Opens the file and hands `use` its size and a reader of its bytes; false when it
    // cannot be opened or is no file.
    using Use = std::function<void(std::uint64_t size, const ReadBytes& read)>;
    virtual bool Read(const std::string& windowsPath, const Use& use) = 0;
};

// `text` is the menu file's text in the code page, as the launcher reads it.
std::vector<Finding> LintMenu(const CheckOptions& options, const LeadByteTable& lead, FileProbe& files,
                              const std::string& text);

// The known name nearest to a misspelt one, or empty when none is near.
std::string NearestName(const std::string& name, const std::vector<std::string>& known);

} // namespace ostrel
