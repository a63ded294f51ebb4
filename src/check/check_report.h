// What the menu checker prints: the model the launcher would hold on one platform as
// JSON, or a matrix of the sections each product takes on every platform.
#pragma once

#include <functional>
#include <string>

#include "menu/ini_file.h"

namespace ostrel {

struct CheckOptions {
    std::string menuFile;   // path as this program opens it
    std::string shownFile;  // path as given on the command line
    std::string baseDir;    // Windows path, ending in a backslash
    std::string menuDir;    // Windows path, ending in a backslash
    int depth = 32;
    unsigned codePage = 1252;
    std::string platform;   // empty: the matrix
    std::string architecture = "x64";
    bool json = false;
};

// Text of the menu's code page to UTF-8.
using ToUtf8Fn = std::function<std::string(const std::string&)>;

std::string JsonReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);
std::string TextReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);
std::string MatrixReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);

} // namespace ostrel
