#include "commands/shell_launch.h"

#include <cstdio>

namespace ostrel {

namespace {

// A text shown in a box is shortened for the box only, never for a start.
std::string Shortened(const std::string& text) { return text.size() > 400 ? text.substr(0, 400) + "..." : text; }

// Fills the first "%d" of a message with the number and the first "%s" with the text.
std::string Fill(const char* pattern, std::int32_t number, const std::string& text) {
    std::string message = pattern;
    size_t at = message.find("%d");
    if (at != std::string::npos)
        message.replace(at, 2, std::to_string(number));
    at = message.find("%s");
    if (at != std::string::npos)
        message.replace(at, 2, Shortened(text));
    return message;
}

std::string Fill(const char* pattern, const std::string& text) { return Fill(pattern, 0, text); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Refuses what the working buffers cannot hold: a start with a cut command line or
// path would run something other than what the menu names.
bool Refuse(System& system, const char* what, const std::string& text) {
    system.ShowBox(BoxOwner::None, Fill(what, text), "Error", kMbIconError);
    system.SetStandardCursor(false);
    return false;
}

} // namespace

std::string ShellErrorText(std::int32_t code, const std::string& foundExe, const std::string& launchFile) {
    static const char* const kTexts[] = {
        "Error %d loading %s",
        "Out of memory or resources loading %s",
        "The file %s was not found",
        "The path %s was not found",
        "The operating system denied access to file %s",
        "There was not enough memory to complete the operation of loading %s",
        "A sharing violation occurred loading %s",
        "The filename association to %s is incomplete or invalid",
        "%s - The DDE transaction could not be completed because the request timed out",
        "%s - The DDE transaction failed",
        "%s - The DDE transaction could not be completed because other DDE transactions were being processed",
        "There is no application associated with the filename extension of %s",
        "%s - A dynamic-link library was not found",
    };
    static const unsigned char kIndexes[33] = {
        1, 0, 2, 3, 0, 4, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 7, 8, 9, 10, 11, 12,
    };
    // A negative code comes only from a failed elevated start; it has no text of its own.
    unsigned index = code >= 0 && code <= 32 ? kIndexes[code] : 0;
    if (index == 0)
        return Fill(kTexts[0], code, launchFile);
    return Fill(kTexts[index], foundExe.empty() ? launchFile : foundExe);
}

void SplitLaunchFile(const std::string& commandLine, std::string& launchFile, std::string& parameters) {
    size_t pos = 0;
    while (pos < commandLine.size() && IsBlank(commandLine[pos]))
        ++pos;
    const size_t start = pos;
    if (pos < commandLine.size() && commandLine[pos] == '"') {
        ++pos;
        if (pos < commandLine.size() && commandLine[pos] == '"')
            ++pos;
        while (pos < commandLine.size() && commandLine[pos] != '"')
            ++pos;
        if (pos < commandLine.size())
            ++pos; // the closing quote
        if (pos < commandLine.size() && commandLine[pos] == '"')
            ++pos;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos]))
            ++pos;
    }
    launchFile = commandLine.substr(start, pos - start);
    while (pos < commandLine.size() && IsBlank(commandLine[pos]))
        ++pos;
    parameters = commandLine.substr(pos);
}

bool ShellLaunch(System& system, unsigned dwFlags, const std::string& commandLine, const std::string& defaultDir,
                 const std::string& baseDir) {
    const int show = (dwFlags & ORBSHLEX_HIDE) ? kSwHide : kSwShow;
    const bool debug = (dwFlags & ORBSHLEX_DEBUG) != 0;
    if (debug) {
        char text[256];
        std::snprintf(text, sizeof text,
                      "ORBSHLEX_DEBUG = %u\nORBSHLEX_HIDE = %u\nORBSHLEX_FILE = %u\nORBSHLEX_EXE = %u\n"
                      "ORBSHLEX_URL = %u\nORBSHLEX_CREATEPROCESS = %u",
                      dwFlags & 0x01u, dwFlags & 0x02u, dwFlags & 0x04u, dwFlags & 0x08u, dwFlags & 0x10u,
                      dwFlags & 0x20u);
        system.ShowBox(BoxOwner::None, text, "dwFlags", kMbOk);
    }
    system.SetStandardCursor(true);

    // A string handed in may hold a NUL byte only where the menu file held none: the
    // C strings Windows gets end at the first one, so take only that much.
    const std::string cmdLine = commandLine.substr(0, commandLine.find('\0'));
    if (cmdLine.size() >= kCommandLineBuffer)
        return Refuse(system, "This command is too long to start (more than 1039 characters):\n\n%s", cmdLine);

    std::string launchFile, launchParams;
    SplitLaunchFile(cmdLine, launchFile, launchParams);

    const unsigned major = system.GetVersion() & 0xFFu;
    const std::string currentPath = baseDir.substr(0, kCurrentPathBuffer - 1);
    const std::string workingDir = currentPath + defaultDir;
    // An address is handed to the shell without a folder: only the other kinds use one.
    if (!(dwFlags & ORBSHLEX_URL) && workingDir.size() >= kDefaultDirBuffer)
        return Refuse(system, "The working folder of this command is too long (more than 519 characters):\n\n%s",
                      workingDir);
    if (dwFlags & ORBSHLEX_FILE)
        launchFile = currentPath + launchFile;
    // A created process gets the whole command line; only the other kinds start the
    // launch file itself.
    if (!(dwFlags & ORBSHLEX_CREATEPROCESS) && launchFile.size() >= kLaunchFileBuffer)
        return Refuse(system, "The program or document of this command is too long (more than 259 characters):\n\n%s",
                      launchFile);

    if (debug) {
        system.ShowBox(BoxOwner::None, launchFile, "Debug: szLaunchFile=", kMbOk);
        system.ShowBox(BoxOwner::None, launchParams, "Debug: szLaunchParams=", kMbOk);
        system.ShowBox(BoxOwner::None, currentPath, "Debug: szCurrentPath=", kMbOk);
        system.ShowBox(BoxOwner::None, workingDir.substr(0, kDefaultDirBuffer - 1), "Debug: szDefaultDir=", kMbOk);
    }
    system.CreateAndDestroyStaticWindow();

    std::string foundExe;
    std::int32_t result = 0;
    bool found = false;
    if (!(dwFlags & (ORBSHLEX_URL | ORBSHLEX_CREATEPROCESS))) {
        foundExe = launchFile;
        result = system.FindExecutableFor(launchFile, currentPath, foundExe);
        found = result > 32;
        // Some systems empty the result buffer when the look-up fails; the launch file
        // copied into it stays, so the start that follows still names it.
        if (!found && foundExe.empty())
            foundExe = launchFile;
        if (debug)
            system.ShowBox(BoxOwner::None, Fill("FindExecutable returned %d\nand found: %s", result, foundExe),
                              "Debug", kMbIconError);
    }

    if (dwFlags & ORBSHLEX_URL) {
        result = system.ShellExecuteFile(launchFile, nullptr, nullptr, show);
    } else if (dwFlags & ORBSHLEX_FILE) {
        if (major > 4)
            result = system.ShellExecuteFile(launchFile, &launchParams, &workingDir, show);
        else if (found)
            result = system.ShellExecuteFile(foundExe, &launchFile, &workingDir, show);
    } else if (dwFlags & ORBSHLEX_EXE) {
        result = system.ShellExecuteFile(foundExe, &launchParams, &workingDir, show);
    } else if (dwFlags & ORBSHLEX_RUNAS) {
        std::int32_t lastError = 0;
        if (system.ShellExecuteRunAs(foundExe, launchParams, workingDir, show, lastError)) {
            result = 33;
        } else {
            // A system error code, not a ShellExecute result: any value means nothing ran.
            if (debug)
                system.ShowBox(BoxOwner::None, Fill("ShelExec returned %d", lastError, ""), "Debug", kMbIconError);
            ShowRunAsError(system, lastError, foundExe, launchFile);
            system.SetStandardCursor(false);
            return false;
        }
    } else if (dwFlags & ORBSHLEX_CREATEPROCESS) {
        std::int32_t lastError = 0;
        bool created = system.CreateProcessFrom(cmdLine, workingDir, lastError);
        if (!created)
            ShowCreateProcessError(system, lastError, cmdLine);
        system.SetStandardCursor(false);
        return created;
    }

    if (result <= 32) {
        if (debug)
            system.ShowBox(BoxOwner::None, Fill("ShelExec returned %d", result, ""), "Debug", kMbIconError);
        std::string prefix = launchFile.substr(0, 4);
        for (char& c : prefix)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        std::string text = (dwFlags & ORBSHLEX_EXE) && prefix == "jrew"
                               ? Fill("Cannot locate %s.  Please install the Sun JRE first.", launchFile)
                               : ShellErrorText(result, foundExe, launchFile);
        system.ShowBox(BoxOwner::None, text, "Error", kMbIconError);
    }
    system.SetStandardCursor(false);
    return result > 32;
}

void ShowRunAsError(System& system, std::int32_t code, const std::string& foundExe, const std::string& launchFile) {
    if (code == kErrorCancelled)
        return; // the user said No at the elevation prompt: an answer, not a fault
    const std::string& program = foundExe.empty() ? launchFile : foundExe;
    std::string systemText;
    // A system error code, so the texts of the ShellExecute codes do not apply to it.
    std::string text = system.FormatSystemMessage(code, systemText)
                           ? "Error starting \"" + Shortened(program) + "\" as administrator:\n\n" + systemText
                           : Fill("Error %d loading %s", code, launchFile);
    system.ShowBox(BoxOwner::None, text, "Error", kMbIconError);
}

void ShowCreateProcessError(System& system, std::int32_t code, const std::string& commandLine) {
    std::string systemText;
    if (!system.FormatSystemMessage(code, systemText))
        return;
    system.ShowBox(BoxOwner::Foreground, "Error creating process \"" + commandLine + "\":\n\n" + systemText,
                      "Error", kMbIconError);
}

} // namespace ostrel
