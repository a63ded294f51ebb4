// How the launcher follows the pointer over its choices: which choice is shown
// hovered or pressed, and which cursor shape is set. The drawing itself is the
// window's; this decides what to draw, in what order.
#pragma once

#include "menu/ini_file.h"

namespace ostrel {

class PointerSurface {
public:
    virtual ~PointerSurface() = default;
    virtual bool IsActiveWindow() = 0;
    // The pointer in logical client pixels.
    virtual Point CursorClientPoint() = 0;
    virtual void DrawChoiceNormal(CChoice& choice) = 0;
    // With keep previous false it first returns the hovered choice to normal and sets
    // the hover index to -1.
    virtual void DrawChoiceActive(CChoice& choice, bool keepPrevious, bool pressed) = 0;
    virtual void SetArrowCursor() = 0;
    virtual void SetFingerCursor() = 0;
    virtual bool CursorIsFinger() = 0;
};

// WM_MOUSEMOVE (and the pointer part of WM_LBUTTONDOWN, with buttonDown set).
// `leftButton` is the message's MK_LBUTTON flag.
void HandleMouseMove(CIniFile& menu, int& hoverChoice, bool buttonDown, bool leftButton, PointerSurface& surface);

// The first choice, in list order, that contains the point; -1 when none does.
int FirstChoiceAt(const CIniFile& menu, Point point);

} // namespace ostrel
