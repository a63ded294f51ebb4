// A System that plays any Windows: version word, colour depth, files that open.
#pragma once

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
};

} // namespace ostrel::test
