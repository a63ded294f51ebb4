// The menu model: the [General] settings of a menu file and its choices.
#pragma once

#include <cstdint>
#include <memory>
#include <exception>
#include <string>
#include <vector>

#include "framework/object.h"
#include "menu/choice.h"
#include "system/system.h"

namespace ostrel {

class Storage;

// "a,b" to two numbers by the leading-number rule; no separator gives 0 and the
// number of the whole text.
Point ParsePair(const std::string& text, const std::string& separator);

constexpr int kProductListBufferSize = 350;
// Splits the NUL-separated, double-NUL-ended product list of a buffer.
std::vector<std::string> SplitProductList(const char* buffer, int size);

// Raised by CIniFile::GetAt on a menu without choices.
class CInvalidArgException : public std::exception {
public:
    const char* what() const noexcept override { return "no choice at that index"; }
};

class CIniFile : public CObject {
public:
    // `menuDir` and `baseDir` are the application's menu and base directories: image
    // paths and program command lines are resolved against their values at the time
    // of each load.
    CIniFile(System& system, const std::string& menuDir, const std::string& baseDir);
    ~CIniFile() override;

    // Whether Load would succeed on m_strPath: the file names a background picture.
    bool NamesBackground() const;
    bool Load();
    int GetCount() const { return static_cast<int>(m_arrChoices.size()); }
    // Out-of-range indexes give the first choice; with no choice at all this throws
    // CInvalidArgException.
    CChoice* GetAt(int index) const;
    void RemoveAllChoices();

    void IdentifyPlatform();
    std::string GetArchitectureName();

    std::vector<std::unique_ptr<CChoice>> m_arrChoices;
    std::string m_strPath;
    std::string m_strBitmap;
    std::int32_t m_nWidth = 640;
    std::int32_t m_nHeight = 480;
    Colour m_crForeground = 0;
    std::int32_t m_bFingerCursor = 0;
    std::int32_t m_bDebug = 0;
    std::int32_t m_bUseImageDpi = 0;
    std::string m_strDefaultCaption;
    std::int32_t m_bLoaded = 0;
    std::uint16_t m_wMajorVersion = 0;
    std::uint16_t m_wMinorVersion = 0;
    std::uint8_t m_bWinNT = 0;
    std::uint8_t m_bWin9x = 0;
    std::string m_strCopyright;

private:
    void ProcessProduct(Storage& storage, const std::string& product, int depth);
    bool ChooseCommandSection(Storage& storage, const std::string& product, const std::string& platforms,
                              std::string& section);

    System& m_system;
    const std::string& m_strMenuDir;
    const std::string& m_strBaseDir;
};

} // namespace ostrel
