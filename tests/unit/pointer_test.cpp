#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_system.h"
#include "window/pointer.h"

using namespace ostrel;

namespace {
class FakeImage : public ImageObject {};

// Records what the pointer handling asks of the window, and plays the hover index
// the way the window's active redraw changes it.
class FakeSurface : public PointerSurface {
public:
    explicit FakeSurface(int& hover) : m_hover(hover) {}
    bool active = true;
    Point pointer;
    bool finger = false;
    std::vector<std::string> calls;

    bool IsActiveWindow() override { return active; }
    Point CursorClientPoint() override { return pointer; }
    void DrawChoiceNormal(CChoice& c) override { calls.push_back("normal " + c.m_strProduct); }
    void DrawChoiceActive(CChoice& c, bool keepPrevious, bool pressed) override {
        calls.push_back(std::string(pressed ? "pressed " : "active ") + c.m_strProduct);
        if (!keepPrevious && m_hover >= 0)
            m_hover = -1;
    }
    void SetArrowCursor() override {
        finger = false;
        calls.push_back("arrow");
    }
    void SetFingerCursor() override {
        finger = true;
        calls.push_back("finger");
    }
    bool CursorIsFinger() override { return finger; }

private:
    int& m_hover;
};

struct Pointer {
    test::FakeSystem system;
    std::string dir;
    CIniFile menu{system, dir, dir};
    int hover = -1;
    FakeSurface surface{hover};

    void Add(const char* name, int x, int y, int cx, int cy, const char* command = "x.exe", bool press = false) {
        auto choice = std::make_unique<CChoice>();
        choice->m_strProduct = name;
        choice->m_ptPoint = Point{x, y};
        choice->m_sizeBitmap = Size{cx, cy};
        choice->m_strCommand = command;
        if (press)
            choice->m_pBitmapPress = std::make_unique<FakeImage>();
        menu.m_arrChoices.push_back(std::move(choice));
    }
    std::string Move(int x, int y, bool buttonDown = false) {
        surface.calls.clear();
        surface.pointer = Point{x, y};
        HandleMouseMove(menu, hover, buttonDown, buttonDown, surface);
        std::string joined;
        for (const std::string& call : surface.calls)
            joined += (joined.empty() ? "" : ", ") + call;
        return joined;
    }
};
} // namespace

TEST(Pointer, EnterMoveInsideAndLeave) {
    Pointer p;
    p.menu.m_bFingerCursor = 1;
    p.Add("A", 10, 10, 100, 30);
    p.Add("B", 10, 50, 100, 30);
    EXPECT_EQ(p.Move(5, 5), "arrow");
    EXPECT_EQ(p.Move(20, 20), "active A, finger");
    EXPECT_EQ(p.hover, 0);
    EXPECT_EQ(p.Move(60, 25), ""); // inside the hovered choice: nothing redrawn, finger stays
    EXPECT_EQ(p.Move(20, 60), "normal A, arrow, active B, finger");
    EXPECT_EQ(p.hover, 1);
    EXPECT_EQ(p.Move(300, 300), "normal B, arrow");
    EXPECT_EQ(p.hover, -1);
}

TEST(Pointer, OverlappingChoicesEndWithTheLastHovered) {
    Pointer p;
    p.Add("A", 0, 0, 50, 50);
    p.Add("B", 25, 25, 50, 50);
    EXPECT_EQ(p.Move(30, 30), "active A, active B, arrow");
    EXPECT_EQ(p.hover, 1);
    // Every move over the overlap redraws both, in list order.
    EXPECT_EQ(p.Move(31, 31), "active A, active B, arrow");
    EXPECT_EQ(FirstChoiceAt(p.menu, Point{30, 30}), 0); // a click there runs A
}

TEST(Pointer, FingerOnlyWhereTheMenuAsksForIt) {
    struct Case {
        int fingerCursor;
        const char* command;
        const char* expected;
    } cases[] = {
        {1, "x.exe", "active A, finger"},
        {1, "", "active A, finger"},
        {1, "tavnop", "active A, arrow"},
        {0, "x.exe", "active A, arrow"},
        {2, "x.exe", "active A, arrow"},
    };
    for (const Case& c : cases) {
        Pointer p;
        p.menu.m_bFingerCursor = c.fingerCursor;
        p.Add("A", 0, 0, 10, 10, c.command);
        EXPECT_EQ(p.Move(5, 5), c.expected) << c.fingerCursor << " " << c.command;
    }
}

TEST(Pointer, ButtonDownRedrawsTheHoveredChoicePressedOnlyWithAPressedImage) {
    Pointer p;
    p.Add("Plain", 0, 0, 10, 10);
    p.Add("Press", 0, 20, 10, 10, "x.exe", true);
    p.Move(5, 5);
    EXPECT_EQ(p.Move(5, 5, true), "arrow"); // hovered, no pressed image: not redrawn
    p.Move(5, 25);
    EXPECT_EQ(p.Move(5, 25, true), "pressed Press, arrow");
    p.Move(50, 50);
    EXPECT_EQ(p.Move(5, 5, true), "pressed Plain, arrow"); // entering with the button down
}

TEST(Pointer, MovesAreIgnoredWhileTheLauncherIsNotActive) {
    Pointer p;
    p.Add("A", 0, 0, 10, 10);
    p.surface.active = false;
    EXPECT_EQ(p.Move(5, 5), "");
    EXPECT_EQ(p.hover, -1);
}

TEST(Pointer, NoChoicesGivesTheArrowUnlessTheFingerIsSet) {
    Pointer p;
    EXPECT_EQ(p.Move(5, 5), "arrow");
    p.surface.finger = true;
    EXPECT_EQ(p.Move(5, 5), "");
}
