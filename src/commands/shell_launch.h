// Starts a program, document, URL or process for a choice, through the System seam,
// with the error and diagnostic boxes the user sees.
#pragma once

#include <cstdint>
#include <string>

#include "system/system.h"

namespace ostrel {

constexpr unsigned ORBSHLEX_DEBUG = 0x01;
constexpr unsigned ORBSHLEX_HIDE = 0x02;
constexpr unsigned ORBSHLEX_FILE = 0x04;
constexpr unsigned ORBSHLEX_EXE = 0x08;
constexpr unsigned ORBSHLEX_URL = 0x10;
constexpr unsigned ORBSHLEX_CREATEPROCESS = 0x20;
constexpr unsigned ORBSHLEX_RUNAS = 0x40;

// The sizes of the launcher's working buffers, terminator included.
constexpr size_t kCommandLineBuffer = 1040;
constexpr size_t kLaunchFileBuffer = 260;
constexpr size_t kCurrentPathBuffer = 260;
constexpr size_t kDefaultDirBuffer = 520;

// TRUE when the program, document or URL was started.
bool ShellLaunch(System& system, unsigned dwFlags, const std::string& commandLine, const std::string& defaultDir,
                 const std::string& baseDir);

// The box after a failed elevated start: the system's text for the code, nothing
// when the user declined at the elevation prompt.
void ShowRunAsError(System& system, std::int32_t code, const std::string& foundExe, const std::string& launchFile);

void ShowCreateProcessError(System& system, std::int32_t code, const std::string& commandLine);

// The text of the error box for a failed start with code 0 to 32 (or a negative one).
std::string ShellErrorText(std::int32_t code, const std::string& foundExe, const std::string& launchFile);

// The first token of a command line (quotes kept) and the rest after the blanks
// that follow it.
void SplitLaunchFile(const std::string& commandLine, std::string& launchFile, std::string& parameters);

} // namespace ostrel
