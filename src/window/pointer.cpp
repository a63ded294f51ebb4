#include "window/pointer.h"

namespace ostrel {

void HandleMouseMove(CIniFile& menu, int& hoverChoice, bool buttonDown, bool leftButton, PointerSurface& surface) {
    if (!surface.IsActiveWindow())
        return;
    bool changed = false;
    const int count = menu.GetCount();
    for (int i = 0; i < count; ++i) {
        CChoice& choice = *menu.GetAt(i);
        Point point = surface.CursorClientPoint();
        if (!choice.HitTest(point.x, point.y) && i == hoverChoice) {
            surface.DrawChoiceNormal(choice);
            hoverChoice = -1;
            surface.SetArrowCursor();
            changed = true;
        }
        point = surface.CursorClientPoint();
        if (choice.HitTest(point.x, point.y) && (i != hoverChoice || (buttonDown && choice.m_pBitmapPress))) {
            surface.DrawChoiceActive(choice, false, leftButton);
            hoverChoice = i;
            if (menu.m_bFingerCursor == 1 && choice.m_strCommand != "tavnop") {
                surface.SetFingerCursor();
                changed = true;
            }
        }
    }
    if (changed)
        return;
    if (!surface.CursorIsFinger())
        surface.SetArrowCursor();
}

int FirstChoiceAt(const CIniFile& menu, Point point) {
    for (int i = 0; i < menu.GetCount(); ++i) {
        if (menu.GetAt(i)->HitTest(point.x, point.y))
            return i;
    }
    return -1;
}

} // namespace ostrel
