// One product of the menu: where it sits, how it looks and what it runs.
#pragma once

#include <memory>
#include <string>

#include "framework/object.h"
#include "system/system.h"

namespace ostrel {

// An image the window loaded; the Windows image layer derives the real one. Choices
// that name the same file share one.
class ImageObject {
public:
    virtual ~ImageObject() = default;
};
using ImagePtr = std::shared_ptr<ImageObject>;

struct Point {
    int x = 0;
    int y = 0;
};
struct Size {
    int cx = 0;
    int cy = 0;
};
struct Resolution {
    float x = 0.0f;
    float y = 0.0f;
};

class CChoice : public CObject {
public:
    CChoice() = default;
    ~CChoice() override = default;

    // Both edges inside: a choice 30 wide spans 31 columns. Sums are 64-bit so that
    // huge menu values cannot overflow.
    bool HitTest(int x, int y) const {
        long long left = m_ptPoint.x, top = m_ptPoint.y;
        return left <= x && x <= left + m_sizeBitmap.cx && top <= y && y <= top + m_sizeBitmap.cy;
    }

    std::string m_strBitmap;
    std::string m_strBitmapHi;
    std::string m_strBitmapMemo;
    std::string m_strBitmapPress;
    ImagePtr m_pBitmap;
    ImagePtr m_pBitmapHi;
    ImagePtr m_pBitmapMemo;
    ImagePtr m_pBitmapPress;
    Point m_ptPoint;
    Point m_ptPointMemo;
    Colour m_crTransparency = 0x00FF00FF;
    int m_bTransparency = 0;
    int m_bHide = 0;
    std::string m_strCommand;
    std::string m_strPreInstBoxType;
    std::string m_strPreInstMessage;
    std::string m_strPreInstTitle;
    std::string m_strDefaultDir;
    int m_nExitCode = 0;
    Size m_sizeBitmap;
    Size m_sizeBitmapMemo;
    Size m_sizeBitmapHi;
    Size m_sizeBitmapPress;
    Resolution m_dpiBitmap;
    Resolution m_dpiBitmapMemo;
    Resolution m_dpiBitmapHi;
    Resolution m_dpiBitmapPress;
    // Where the entry came from: its name in [Products] and the section its command
    // keys were read from (shown by the menu checker).
    std::string m_strProduct;
    std::string m_strSection;
};

} // namespace ostrel
