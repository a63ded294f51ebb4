// ostrel-check: shows what the launcher would make of a menu file on any Windows,
// without starting anything or showing any box.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>

#include "check/check_host.h"
#include "check/check_platform.h"
#include "check/check_report.h"
#include "check/menu_lint.h"
#include "text/utf16_text.h"
#include "version.h"

using namespace ostrel;

namespace {

const char kUsage[] =
    "usage: ostrel-check [options] MENU\n"
    "  --platform NAME   win32s win95 win98 winme nt351 nt40 win2000 winxp win2003 vista\n"
    "                    win7 win8 win81 win10 win11 (without it: a matrix of all of them)\n"
    "  --arch ARCH       intel, x64, ia64 or other (default x64)\n"
    "  --depth N         screen colour depth in bits (default 32)\n"
    "  --base DIR        the folder program paths resolve against (default: the menu's)\n"
    "  --menu-dir DIR    the folder picture paths resolve against (default: the menu's)\n"
    "  --codepage N      the ANSI code page of the menu's text (default 1252)\n"
    "  --json            one JSON object\n"
    "  --strict          warnings fail the check too\n"
    "  --version         the version of ostrel-check and of the launcher it knows\n"
    "Without --platform it shows the section each product takes on every platform, then\n"
    "the mistakes it finds as FILE:LINE: severity: message. MENU is a file of at most\n"
    "64 MB, in the code page or in UTF-16 with its byte order mark. Exit status: 0\n"
    "without errors, 1 with errors (or warnings with --strict), 2 for bad arguments\n"
    "and for a MENU that is no file, is larger or cannot be read.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "ostrel-check: %s\n", message.c_str());
    return 2;
}

bool ParseNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

} // namespace

namespace {
int Check(int argc, char** argv) {
    CheckOptions options;
    std::string base, menuDir;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string text;
        long number = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::puts("ostrel-check " OSTREL_VERSION_TEXT);
            return 0;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (arg == "--platform") {
            if (!value(options.platform) || !FindPlatform(options.platform))
                return Fail("unknown platform '" + options.platform + "' (see --help)");
        } else if (arg == "--arch") {
            if (!value(options.architecture) || !FindArchitecture(options.architecture))
                return Fail("unknown architecture '" + options.architecture + "': intel, x64, ia64 or other");
        } else if (arg == "--depth") {
            if (!value(text) || !ParseNumber(text, 1, 64, number))
                return Fail("--depth needs a colour depth in bits, such as 4, 8, 16 or 32");
            options.depth = static_cast<int>(number);
        } else if (arg == "--codepage") {
            if (!value(text) || !ParseNumber(text, 1, 65535, number))
                return Fail("--codepage needs a code page number, such as 1252 or 932");
            options.codePage = static_cast<unsigned>(number);
        } else if (arg == "--base") {
            if (!value(base) || base.empty())
                return Fail("--base needs a folder");
        } else if (arg == "--menu-dir") {
            if (!value(menuDir) || menuDir.empty())
                return Fail("--menu-dir needs a folder");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Fail("unknown option '" + arg + "' (see --help)");
        } else if (options.shownFile.empty()) {
            options.shownFile = arg;
        } else {
            return Fail("only one menu file, please: '" + arg + "'");
        }
    }
    if (options.shownFile.empty())
        return Fail("no menu file given (see --help)");

    LeadByteTable lead;
    if (!HostLeadBytes(options.codePage, lead))
        return Fail("code page " + std::to_string(options.codePage) + " is not known here");
    HostReadMenusWith(lead);
    MenuFile file;
    std::string problem;
    if (!HostReadMenu(options.shownFile, file, problem))
        return Fail(problem);
    options.menuFile = file.openPath;
    options.baseDir = WithBackslash(base.empty() ? file.windowsFolder : base);
    options.menuDir = WithBackslash(menuDir.empty() ? file.windowsFolder : menuDir);
    // Windows' profile functions read a file with the UTF-16 mark as UTF-16 and hand it
    // to the launcher in the ANSI code page.
    std::string menuText;
    if (HasUtf16LeMark(file.bytes) || HasUtf16BeMark(file.bytes)) {
        const bool bigEndian = HasUtf16BeMark(file.bytes);
        options.encoding = bigEndian ? "utf-16be" : "utf-16le";
        std::string utf16 = file.bytes.substr(2);
        if (bigEndian)
            for (size_t i = 0; i + 1 < utf16.size(); i += 2)
                std::swap(utf16[i], utf16[i + 1]);
        if (!HostFromUtf16(utf16, options.codePage, menuText))
            return Fail("cannot convert the UTF-16 menu to code page " + std::to_string(options.codePage));
    } else {
        menuText.swap(file.bytes);
    }
    file.bytes.clear();
    HostUseMenuText(options.menuFile, menuText);

    const unsigned codePage = options.codePage;
    ToUtf8Fn toUtf8 = [codePage](const std::string& text) {
        std::string utf8;
        HostToUtf8(text, codePage, utf8);
        return utf8;
    };
    if (!options.platform.empty()) {
        std::string report = options.json ? JsonReport(options, lead, toUtf8) : TextReport(options, lead, toUtf8);
        std::fwrite(report.data(), 1, report.size(), stdout);
        return 0;
    }

    std::unique_ptr<FileProbe> files = HostFiles();
    const std::vector<Finding> findings = LintMenu(options, lead, *files, menuText);
    // Written a finding at a time: a report of a broken menu can be long.
    auto write = [](const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); };
    if (options.json) {
        write(MatrixJson(options, lead, toUtf8) + ",\n  \"findings\": [");
        for (size_t i = 0; i < findings.size(); ++i)
            write(std::string(i ? "," : "") + "\n    {\"line\": " + std::to_string(findings[i].line) +
                  ", \"severity\": \"" + SeverityName(findings[i].severity) +
                  "\", \"message\": " + JsonString(toUtf8(findings[i].message)) + "}");
        write(findings.empty() ? "]\n}\n" : "\n  ]\n}\n");
    } else {
        write(MatrixReport(options, lead, toUtf8) + "\n");
        const std::string shown = toUtf8(options.shownFile);
        for (const Finding& finding : findings)
            write(shown + ":" + std::to_string(finding.line) + ": " + SeverityName(finding.severity) + ": " +
                  toUtf8(finding.message) + "\n");
        write(findings.empty() ? "No mistakes found.\n" : "");
    }
    for (const Finding& finding : findings)
        if (finding.severity == Severity::Error || (options.strict && finding.severity == Severity::Warning))
            return 1;
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    try {
        return Check(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail("not enough memory to check this menu");
    }
}
