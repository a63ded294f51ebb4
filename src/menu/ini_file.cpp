#include "menu/ini_file.h"

#include "menu/storage.h"
#include "menu/value_rules.h"

namespace ostrel {

CIniFile::CIniFile(System& system, const std::string& menuDir) : m_system(system), m_strMenuDir(menuDir) {
    m_crForeground = m_system.GetSysColor(kColorWindowText);
}

CIniFile::~CIniFile() { RemoveAllChoices(); }

void CIniFile::RemoveAllChoices() { m_arrChoices.clear(); }

CChoice* CIniFile::GetAt(int index) const {
    if (m_arrChoices.empty())
        throw std::invalid_argument("CIniFile::GetAt on a menu without choices");
    if (index < 0 || index >= GetCount())
        index = 0;
    return m_arrChoices[static_cast<size_t>(index)].get();
}

void CIniFile::IdentifyPlatform() {
    std::uint32_t version = m_system.GetVersion();
    bool notNt = (version & 0x80000000u) != 0;
    version &= 0x7FFFFFFFu;
    m_wMajorVersion = static_cast<std::uint16_t>(version & 0xFFu);
    m_wMinorVersion = static_cast<std::uint16_t>((version >> 8) & 0xFFu);
    m_bWinNT = 0;
    m_bWin9x = 0;
    if (notNt) {
        if (m_wMajorVersion >= 4)
            m_bWin9x = 1;
    } else {
        m_bWinNT = 1;
    }
}

bool CIniFile::Load() {
    const int depth = m_system.GetScreenColourDepth();
    IdentifyPlatform();
    const LeadByteTable& lead = m_system.LeadBytes();
    Storage storage(m_strPath);

    storage.ReadString(m_strCopyright, "", "Copyright", "General");
    m_strBitmap = ReadImagePath(storage, "Bitmap", "General", depth, m_strMenuDir, lead);
    if (m_strBitmap.empty())
        return false;

    m_nWidth = 0;
    m_nHeight = 0;

    std::string background, foreground;
    storage.ReadString(background, "0", "Background", "General");
    storage.ReadString(foreground, "7", "Foreground", "General");
    if (background != foreground)
        m_crForeground = ColourFromText(foreground);

    m_bFingerCursor = static_cast<std::int32_t>(storage.ReadInt("FingerCursor", "General", 1));
    m_bDebug = static_cast<std::int32_t>(storage.ReadInt("Debug", "General", 0));
    m_bUseImageDpi = static_cast<std::int32_t>(storage.ReadInt("UseImageDpi", "General", 0));

    storage.ReadString(m_strDefaultCaption, "Tamberly", "DefaultCaption", "General");
    if (m_bWin9x || (m_bWinNT && m_wMajorVersion == 4 && m_wMinorVersion == 0))
        m_strDefaultCaption = RemoveCharsStartingWith(m_strDefaultCaption, "\x99\xAE", lead);

    m_bLoaded = 1;
    return true;
}

} // namespace ostrel
