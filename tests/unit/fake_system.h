// A System that plays any Windows: version word, colour depth, files that open.
#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "system/system.h"

namespace ostrel::test {

class FakeSystem : public System {
public:
    std::uint32_t version = 0x0000000A; // 10.0, NT family
    int colourDepth = 32;
    Colour windowText = 0x00123456;
    std::set<std::string> readableFiles;
    LeadByteTable lead;
    std::vector<std::string> calls;

    std::uint32_t GetVersion() override { return version; }
    int GetScreenColourDepth() override { return colourDepth; }
    Colour GetSysColor(int index) override { return index == kColorWindowText ? windowText : 0; }
    bool CanOpenForReading(const std::string& path) override {
        calls.push_back("CanOpenForReading(" + path + ")");
        return readableFiles.count(path) != 0;
    }
    const LeadByteTable& LeadBytes() override { return lead; }

    // Processor: 64-bit Windows on x64 by default, the program under WOW64.
    bool hasIsWow64Process = true;
    bool hasGetNativeSystemInfo = true;
    bool wow64CallFails = false;
    bool wow64 = true;
    unsigned nativeArchitecture = 9;
    unsigned processArchitecture = 0;
    int messageBoxAnswer = 1; // IDOK

    bool Kernel32Has(const char* name) override {
        std::string function = name;
        return function == "IsWow64Process" ? hasIsWow64Process
               : function == "GetNativeSystemInfo" ? hasGetNativeSystemInfo
                                                   : false;
    }
    bool IsWow64Process(bool& result) override {
        calls.push_back("IsWow64Process");
        if (wow64CallFails)
            return false;
        result = wow64;
        return true;
    }
    unsigned NativeProcessorArchitecture() override {
        calls.push_back("GetNativeSystemInfo");
        return nativeArchitecture;
    }
    unsigned ProcessorArchitecture() override {
        calls.push_back("GetSystemInfo");
        return processArchitecture;
    }
    // Message boxes answer from this list in turn, then with messageBoxAnswer.
    std::vector<int> answers;
    int ShowBox(BoxOwner owner, const std::string& text, const std::string& caption, unsigned type) override {
        char line[64];
        std::snprintf(line, sizeof line, "\", 0x%X", type);
        const char* owners[] = {"", "foreground, ", "launcher, "};
        calls.push_back(std::string("MessageBox(") + owners[static_cast<int>(owner)] + "\"" + text + "\", \"" +
                        caption + line + ")");
        if (!answers.empty()) {
            int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }
        return messageBoxAnswer;
    }

    // Starting things: each call recorded, each answer as set here.
    int findResult = 42;
    std::string foundExe = "C:\\Programs\\found.exe";
    int shellResult = 42;
    bool runAsResult = true;
    std::int32_t runAsError = 1223;
    bool createResult = true;
    std::int32_t createError = 2;
    bool hasSystemText = true;
    unsigned winExecResult = 33;
    std::string Optional(const std::string* text) { return text ? "\"" + *text + "\"" : "null"; }
    void SetStandardCursor(bool wait) override { calls.push_back(wait ? "cursor wait" : "cursor arrow"); }
    void CreateAndDestroyStaticWindow() override { calls.push_back("static window"); }
    int FindExecutableFor(const std::string& file, const std::string& directory, std::string& found) override {
        calls.push_back("FindExecutable(\"" + file + "\", \"" + directory + "\")");
        found = findResult > 32 ? foundExe : "";
        return findResult;
    }
    int ShellExecuteFile(const std::string& file, const std::string* parameters, const std::string* directory,
                     int show) override {
        calls.push_back("ShellExecute(\"" + file + "\", " + Optional(parameters) + ", " + Optional(directory) + ", " +
                        std::to_string(show) + ")");
        return shellResult;
    }
    bool ShellExecuteRunAs(const std::string& file, const std::string& parameters, const std::string& directory,
                           int show, std::int32_t& lastError) override {
        calls.push_back("ShellExecuteRunAs(\"" + file + "\", \"" + parameters + "\", \"" + directory + "\", " +
                        std::to_string(show) + ")");
        lastError = runAsError;
        return runAsResult;
    }
    bool CreateProcessFrom(const std::string& commandLine, const std::string& directory,
                       std::int32_t& lastError) override {
        calls.push_back("CreateProcess(\"" + commandLine + "\", \"" + directory + "\")");
        lastError = createError;
        return createResult;
    }
    bool FormatSystemMessage(std::int32_t code, std::string& text) override {
        text = "System text " + std::to_string(code);
        return hasSystemText;
    }
    unsigned WinExec(const std::string& commandLine, int show) override {
        calls.push_back("WinExec(\"" + commandLine + "\", " + std::to_string(show) + ")");
        return winExecResult;
    }

    std::string Calls() const {
        std::string joined;
        for (const std::string& call : calls)
            joined += (joined.empty() ? "" : "\n") + call;
        return joined;
    }
};

} // namespace ostrel::test
