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
    int MessageBoxForeground(const std::string& text, const std::string& caption, unsigned type) override {
        char line[64];
        std::snprintf(line, sizeof line, "\", 0x%X)", type);
        calls.push_back("MessageBox(\"" + text + "\", \"" + caption + line);
        return messageBoxAnswer;
    }
};

} // namespace ostrel::test
