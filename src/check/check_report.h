// What the menu checker prints: the model the launcher would hold on one platform as
// JSON, or a matrix of the sections each product takes on every platform.
#pragma once

#include <functional>
#include <string>

#include <memory>
#include <vector>

#include "check/check_platform.h"
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
    bool strict = false;
    std::string encoding = "ansi"; // of the file: "ansi" (the code page) or "utf-16le"
};

// One column of the matrix: a platform and processor.
struct MatrixColumn {
    const PlatformInfo* platform;
    const ArchitectureInfo* architecture;
    std::string heading;
};
std::vector<MatrixColumn> MatrixColumns();

// The model the launcher would hold there.
struct LoadedMenu {
    std::unique_ptr<CheckSystem> system;
    std::unique_ptr<CIniFile> menu;
};
LoadedMenu LoadMenuFor(const CheckOptions& options, const PlatformInfo& platform,
                       const ArchitectureInfo& architecture, const LeadByteTable& lead);

// The product names as the launcher reads them (at most 348 characters of them).
std::vector<std::string> ProductNames(const std::string& file);

// For each product name, the section it takes in each column ("" when left out).
std::vector<std::vector<std::string>> MatrixCells(const CheckOptions& options, const LeadByteTable& lead,
                                                  const std::vector<std::string>& names, bool& loaded);


// Text of the menu's code page to UTF-8.
using ToUtf8Fn = std::function<std::string(const std::string&)>;

std::string JsonReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);
std::string TextReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);
std::string MatrixReport(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);
std::string MatrixJson(const CheckOptions& options, const LeadByteTable& lead, const ToUtf8Fn& toUtf8);
std::string JsonString(const std::string& utf8);

} // namespace ostrel
