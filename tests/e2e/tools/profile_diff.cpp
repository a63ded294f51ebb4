// Runs the same profile queries through Windows' GetPrivateProfile functions and
// through our own reader, and prints Windows' answer to each, and ours where it differs.
//   profile-diff MENU QUERIES
// QUERIES holds one query a line, fields separated by tabs:
//   s <section> <key> <default>   a string read with a 1024-byte buffer
//   i <section> <key> <default>   an integer read
//   k <section> <size>            the key names of a section into a buffer of <size>
// The output starts with the process's ANSI code page, then for the Nth query
//   same N: <query>               or   DIFF N: <query>
//     windows: <answer>                  windows: <answer>
//                                        ours:    <answer>
// Exit status 0 when every answer agrees, 1 otherwise, 2 for bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "menu/profile_reader.h"
#include "text/utf16_text.h"

namespace {
std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// Bytes as printable ASCII: NUL as \0, other control and non-ASCII bytes as \xNN.
std::string Escape(const std::string& bytes) {
    std::string shown;
    for (char byte : bytes) {
        unsigned char c = static_cast<unsigned char>(byte);
        if (c == 0)
            shown += "\\0";
        else if ((c < 32 && c != '\t') || c > 126) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else
            shown += static_cast<char>(c);
    }
    return shown;
}

// The characters a call placed in its buffer and the terminator after them.
std::string Show(const char* buffer, int count) {
    return Escape(std::string(buffer, static_cast<size_t>(count) + 1));
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: profile-diff MENU QUERIES\n");
        return 2;
    }
    std::string menu = argv[1];
    std::ifstream queries(argv[2], std::ios::binary);
    if (!queries) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    // Windows reads the file in the process's code page; so does our reader here, after
    // the menu checker's conversion of a UTF-16 file.
    std::string bytes;
    if (std::ifstream in{menu, std::ios::binary})
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (ostrel::HasUtf16LeMark(bytes) && !ostrel::Utf16LeToCodePage(bytes.substr(2), GetACP(), bytes)) {
        std::fprintf(stderr, "no conversion from UTF-16 to code page %u here\n", GetACP());
        return 2;
    }
    const ostrel::ProfileText ours(bytes, ostrel::LeadByteTable::ForCodePage(GetACP()));
    std::printf("code page %u\n", GetACP());
    int differences = 0, count = 0;
    std::string line;
    while (std::getline(queries, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> f = SplitTabs(line);
        if (f.empty() || f[0].empty())
            continue;
        ++count;
        std::string theirs, mine;
        if (f[0] == "s" && f.size() == 4) {
            std::vector<char> a(1024, '\x7F'), b(1024, '\x7F');
            int na = static_cast<int>(
                GetPrivateProfileStringA(f[1].c_str(), f[2].c_str(), f[3].c_str(), a.data(), 1024, menu.c_str()));
            int nb = ours.GetString(f[1], f[2].c_str(), f[3], b.data(), 1024);
            theirs = std::to_string(na) + " [" + Show(a.data(), na) + "]";
            mine = std::to_string(nb) + " [" + Show(b.data(), nb) + "]";
        } else if (f[0] == "i" && f.size() == 4) {
            int def = std::atoi(f[3].c_str());
            theirs = std::to_string(GetPrivateProfileIntA(f[1].c_str(), f[2].c_str(), def, menu.c_str()));
            mine = std::to_string(ours.GetInt(f[1], f[2], def));
        } else if (f[0] == "k" && f.size() == 3) {
            int size = std::atoi(f[2].c_str());
            std::vector<char> a(static_cast<size_t>(size) + 1, '\x7F'), b(static_cast<size_t>(size) + 1, '\x7F');
            int na = static_cast<int>(
                GetPrivateProfileStringA(f[1].c_str(), nullptr, "", a.data(), static_cast<DWORD>(size), menu.c_str()));
            int nb = ours.GetString(f[1], nullptr, "", b.data(), size);
            theirs = std::to_string(na) + " [" + Show(a.data(), na) + "]";
            mine = std::to_string(nb) + " [" + Show(b.data(), nb) + "]";
        } else {
            std::fprintf(stderr, "bad query: %s\n", line.c_str());
            return 2;
        }
        const bool same = theirs == mine;
        differences += same ? 0 : 1;
        std::printf("%s %d: %s\n  windows: %s\n", same ? "same" : "DIFF", count, Escape(line).c_str(),
                    theirs.c_str());
        if (!same)
            std::printf("  ours:    %s\n", mine.c_str());
    }
    std::printf("%d queries, %d differ\n", count, differences);
    return differences == 0 && count > 0 ? 0 : 1;
}
