#include "window/keyboard.h"

namespace ostrel {

namespace {

bool Selectable(const CChoice& choice) { return !choice.m_strCommand.empty() && choice.m_strCommand != "tavnop"; }

void Activate(CIniFile& menu, int hoverChoice, KeyboardSurface& surface) {
    int result = surface.ExecuteChoice(*menu.GetAt(hoverChoice));
    surface.DropQueuedKeyReleases();
    if (result)
        surface.Close();
}

void CloseOnEscape(const CIniFile& menu, KeyboardSurface& surface) {
    for (const auto& choice : menu.m_arrChoices) {
        if (choice->m_strCommand == "tavexit") {
            surface.Close();
            return;
        }
    }
}

void Select(CIniFile& menu, int& hoverChoice, int step, KeyboardSurface& surface) {
    surface.DrawChoiceNormal(*menu.GetAt(hoverChoice));
    const int count = menu.GetCount();
    for (int tries = 0; tries < count; ++tries) {
        hoverChoice += step;
        if (hoverChoice >= count)
            hoverChoice = 0;
        else if (hoverChoice < 0)
            hoverChoice = count - 1;
        if (Selectable(*menu.GetAt(hoverChoice)))
            break;
    }
    surface.DrawChoiceActive(*menu.GetAt(hoverChoice), true, false);
}

} // namespace

void HandleKeyUp(unsigned virtualKey, CIniFile& menu, int& hoverChoice, KeyboardSurface& surface) {
    // A menu without choices has nothing to run or select: the keys do nothing and
    // the launcher stays open.
    if (menu.GetCount() == 0)
        return;
    switch (virtualKey) {
    case kVkReturn:
    case kVkSpace:
    case kVkExecute:
        Activate(menu, hoverChoice, surface);
        break;
    case kVkEscape:
        CloseOnEscape(menu, surface);
        break;
    case kVkUp:
        Select(menu, hoverChoice, -1, surface);
        break;
    case kVkDown:
        Select(menu, hoverChoice, +1, surface);
        break;
    default:
        break;
    }
}

} // namespace ostrel
