// The mistakes a menu can hold that the launcher passes over in silence: each with
// its line, a severity and a sentence a publisher understands.
#pragma once

#include <string>
#include <vector>

#include "check/check_report.h"

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
    // Whether a Windows path (as the launcher would open it) names a file here, and
    // the first bytes of it; false when it cannot be told here.
    virtual bool Knows(const std::string& windowsPath) = 0;
    virtual bool IsFile(const std::string& windowsPath) = 0;
    virtual std::string Head(const std::string& windowsPath, size_t bytes) = 0;
};

std::vector<Finding> LintMenu(const CheckOptions& options, const LeadByteTable& lead, FileProbe& files);

// The known name nearest to a misspelt one, or empty when none is near.
std::string NearestName(const std::string& name, const std::vector<std::string>& known);

} // namespace ostrel
