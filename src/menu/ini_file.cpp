#include "menu/ini_file.h"

#include "commands/command_path.h"
#include "menu/storage.h"
#include "menu/value_rules.h"

namespace ostrel {

Point ParsePair(const std::string& text, const std::string& separator) {
    size_t at = text.find(separator);
    if (at == std::string::npos)
        return Point{0, LeadingNumber(text)};
    return Point{LeadingNumber(text.substr(0, at)), LeadingNumber(text.substr(at + separator.size()))};
}

std::vector<std::string> SplitProductList(const char* buffer, int size) {
    std::vector<std::string> names;
    std::string name;
    for (int i = 0; i < size; ++i) {
        if (buffer[i] != '\0') {
            name += buffer[i];
        } else if (i == 0 || buffer[i - 1] == '\0') {
            break;
        } else {
            names.push_back(name);
            name.clear();
        }
    }
    return names;
}

CIniFile::CIniFile(System& system, const std::string& menuDir, const std::string& baseDir)
    : m_system(system), m_strMenuDir(menuDir), m_strBaseDir(baseDir) {
    m_crForeground = m_system.GetSysColor(kColorWindowText);
}

CIniFile::~CIniFile() { RemoveAllChoices(); }

void CIniFile::RemoveAllChoices() { m_arrChoices.clear(); }

CChoice* CIniFile::GetAt(int index) const {
    if (m_arrChoices.empty())
        throw CInvalidArgException();
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

bool CIniFile::NamesBackground() const {
    Storage storage(m_strPath);
    return !ReadImagePath(storage, "Bitmap", "General", m_system.GetScreenColourDepth(), m_strMenuDir,
                          m_system.LeadBytes())
                .empty();
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

    char products[kProductListBufferSize] = {};
    storage.ReadKeyNames(products, kProductListBufferSize, "Products");
    for (const std::string& product : SplitProductList(products, kProductListBufferSize))
        ProcessProduct(storage, product, depth);

    m_bLoaded = 1;
    return true;
}

std::string CIniFile::GetArchitectureName() {
    bool wow64 = false;
    if (m_system.Kernel32Has("IsWow64Process") && !m_system.IsWow64Process(wow64)) {
        m_system.ShowBox(BoxOwner::Foreground, "Error: IsWow64Process() call failed.", "Ostrel Error",
                            kMbIconError);
        return std::string();
    }
    unsigned architecture = wow64 && m_system.Kernel32Has("GetNativeSystemInfo")
                                ? m_system.NativeProcessorArchitecture()
                                : m_system.ProcessorArchitecture();
    switch (architecture) {
    case 0:
        return "INTEL";
    case 6:
        return "IA64";
    case 9:
        return "X64";
    default:
        return std::string();
    }
}

bool CIniFile::ChooseCommandSection(Storage& storage, const std::string& product, const std::string& platforms,
                                    std::string& section) {
    const LeadByteTable& lead = m_system.LeadBytes();
    auto has = [&](const char* token) { return FindText(platforms, token, lead) != std::string::npos; };
    const int major = m_wMajorVersion, minor = m_wMinorVersion;
    bool selected = false;

    if (has("WIN32") && (m_bWin9x || m_bWinNT)) {
        section = product + ".WIN32";
        selected = true;
    }
    if (has("VISTA") && major == 6 && minor == 0) {
        section = product + ".VISTA";
        selected = true;
    }
    if ((has("WINNT") || has("WIN2000") || has("WINXP") || has("WIN2003")) && m_bWinNT) {
        std::string token = "WINNT";
        if (major == 5) {
            if (minor == 2 && has("WIN2003"))
                token = "WIN2003";
            else if (minor == 1 && has("WINXP"))
                token = "WINXP";
            else if (minor == 0 && has("WIN2000"))
                token = "WIN2000";
        } else if (major == 4 && minor == 0 && has("WINNT40")) {
            token = "WINNT40";
        } else if (major == 3 && minor == 51 && has("WINNT351")) {
            token = "WINNT351";
        }
        const std::string architecture = GetArchitectureName();
        std::string probe;
        section = product + "." + token;
        storage.ReadString(probe, "NOT FOUND", "Command", section);
        if (probe != "NOT FOUND") {
            selected = true;
        } else {
            section = product + "." + token + "." + architecture;
            storage.ReadString(probe, "NOT FOUND", "Command", section);
            if (probe != "NOT FOUND")
                selected = true;
        }
    }
    if (has("WIN95") && m_bWin9x) {
        section = product + ".WIN95";
        return true;
    }
    if (selected)
        return true;
    if (has("DEFAULT")) {
        section = product + ".DEFAULT";
        return true;
    }
    return false;
}

void CIniFile::ProcessProduct(Storage& storage, const std::string& product, int depth) {
    const LeadByteTable& lead = m_system.LeadBytes();
    auto choice = std::make_unique<CChoice>();
    choice->m_strProduct = product;

    std::string rect;
    storage.ReadString(rect, "?", "Rect", product);
    Point rectPair;
    if (rect != "?") {
        rectPair = ParsePair(rect, ",");
    } else {
        choice->m_strBitmap = ReadImagePath(storage, "Bitmap", product, depth, m_strMenuDir, lead);
        choice->m_strBitmapHi = ReadImagePath(storage, "BitmapHi", product, depth, m_strMenuDir, lead);
        choice->m_strBitmapPress = ReadImagePath(storage, "BitmapPress", product, depth, m_strMenuDir, lead);
    }
    choice->m_strBitmapMemo = ReadImagePath(storage, "BitmapMemo", product, depth, m_strMenuDir, lead);

    std::string transparency;
    storage.ReadString(transparency, "?", "TransparencyColor", product);
    choice->m_bTransparency = transparency != "?" ? 1 : 0;
    choice->m_crTransparency = ParseColor(transparency != "?" ? transparency : "255,000,255");

    std::string platforms;
    storage.ReadString(platforms, "", product, "Products");
    platforms = ToUpperAnsi(platforms, lead);
    std::string section = product;
    if (!platforms.empty() && !ChooseCommandSection(storage, product, platforms, section))
        return;
    choice->m_strSection = section;

    std::string command, point, pointMemo;
    storage.ReadString(command, "", "Command", section);
    choice->m_strCommand = ResolveCommandPath(command, m_strBaseDir, lead);
    storage.ReadString(choice->m_strPreInstBoxType, "", "PreInstBoxType", section);
    storage.ReadString(choice->m_strPreInstMessage, "", "PreInstMessage", section);
    storage.ReadString(choice->m_strPreInstTitle, "", "PreInstTitle", section);
    storage.ReadString(choice->m_strDefaultDir, "", "DefaultDir", section);
    choice->m_nExitCode = static_cast<int>(storage.ReadInt("ExitCode", section, 0));
    storage.ReadString(point, "0,0", "Point", section);
    storage.ReadString(pointMemo, "0,0", "PointMemo", section);
    choice->m_ptPoint = ParsePair(point, ",");
    choice->m_ptPointMemo = ParsePair(pointMemo, ",");
    choice->m_bHide = static_cast<int>(storage.ReadInt("Hide", section, 0));
    choice->m_sizeBitmap = Size{rectPair.x, rectPair.y};
    choice->m_sizeBitmapHi = Size{rectPair.x, rectPair.y};
    m_arrChoices.push_back(std::move(choice));
}

} // namespace ostrel
