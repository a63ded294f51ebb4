// ANSI text in the process code page, walked character by character so that the
// trail byte of a double-byte character is never taken for a backslash or a colon.
#pragma once

#include <array>
#include <string>

namespace ostrel {

class LeadByteTable {
public:
    LeadByteTable() { m_lead.fill(false); }
    static LeadByteTable ForCodePage(unsigned codePage);
    void SetLead(unsigned char c, bool lead) { m_lead[c] = lead; }
    bool IsLead(unsigned char c) const { return m_lead[c]; }

private:
    std::array<bool, 256> m_lead;
};

// Length in bytes of the character starting at text[pos]; a lead byte before the
// terminator counts as a single byte.
size_t CharLength(const std::string& text, size_t pos, const LeadByteTable& lead);

// Position of the first / last character equal to the single-byte character c, or npos.
size_t FindChar(const std::string& text, char c, const LeadByteTable& lead);
size_t FindLastChar(const std::string& text, char c, const LeadByteTable& lead);

// True when two consecutive backslash characters appear anywhere.
bool HasDoubleBackslash(const std::string& text, const LeadByteTable& lead);

// The prefix up to and including the last backslash; empty when there is none.
std::string DirectoryPart(const std::string& path, const LeadByteTable& lead);

// Drops every character whose first byte is one of the bytes in `firstBytes`.
std::string RemoveCharsStartingWith(const std::string& text, const std::string& firstBytes,
                                    const LeadByteTable& lead);

// Upper / lower case of the single-byte ASCII letters; double-byte characters stay
// as they are.
std::string ToUpperAnsi(const std::string& text, const LeadByteTable& lead);
std::string ToLowerAnsi(const std::string& text, const LeadByteTable& lead);

// Position of `needle` starting on a character boundary of `text`, or npos.
size_t FindText(const std::string& text, const std::string& needle, const LeadByteTable& lead);

// Makes a path absolute against a base directory (with trailing backslash): a path
// holding a colon or a doubled backslash is kept, one starting with a backslash takes
// the base's drive (its first two characters), anything else takes the whole base.
std::string ResolveAgainst(const std::string& path, const std::string& baseDir, const LeadByteTable& lead);

} // namespace ostrel
