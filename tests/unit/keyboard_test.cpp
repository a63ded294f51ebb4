#include <gtest/gtest.h>

#include "fake_system.h"
#include "window/keyboard.h"

using namespace ostrel;

namespace {
struct Keys : KeyboardSurface {
    test::FakeSystem system;
    std::string dir;
    CIniFile menu{system, dir, dir};
    int hover = -1;
    int executeResult = 0;
    std::vector<std::string> calls;

    void DrawChoiceNormal(CChoice& c) override { calls.push_back("normal " + c.m_strProduct); }
    void DrawChoiceActive(CChoice& c, bool keepPrevious, bool pressed) override {
        calls.push_back("active " + c.m_strProduct + (keepPrevious ? " keep" : "") + (pressed ? " pressed" : ""));
    }
    int ExecuteChoice(CChoice& c) override {
        calls.push_back("run " + c.m_strProduct);
        return executeResult;
    }
    void DropQueuedKeyReleases() override { calls.push_back("drop"); }
    void Close() override { calls.push_back("close"); }

    void Add(const char* name, const char* command) {
        auto choice = std::make_unique<CChoice>();
        choice->m_strProduct = name;
        choice->m_strCommand = command;
        menu.m_arrChoices.push_back(std::move(choice));
    }
    std::string Press(unsigned key) {
        calls.clear();
        HandleKeyUp(key, menu, hover, *this);
        std::string joined;
        for (const std::string& call : calls)
            joined += (joined.empty() ? "" : ", ") + call;
        return joined;
    }
};
} // namespace

TEST(Keyboard, ArrowsSkipWhatCannotBeRunAndWrap) {
    Keys k;
    k.Add("A", "tavnop");
    k.Add("B", "b.exe");
    k.Add("C", "");
    k.Add("D", "d.exe");
    EXPECT_EQ(k.Press(kVkDown), "normal A, active B keep");
    EXPECT_EQ(k.hover, 1);
    EXPECT_EQ(k.Press(kVkDown), "normal B, active D keep");
    EXPECT_EQ(k.Press(kVkDown), "normal D, active B keep"); // wraps past A
    k.hover = -1;
    EXPECT_EQ(k.Press(kVkUp), "normal A, active D keep");
    EXPECT_EQ(k.Press(kVkUp), "normal D, active B keep");
}

TEST(Keyboard, NothingSelectableEndsWhereTheLoopEnds) {
    Keys k;
    k.Add("A", "tavnop");
    k.Add("B", "");
    EXPECT_EQ(k.Press(kVkDown), "normal A, active B keep");
    k.hover = -1;
    EXPECT_EQ(k.Press(kVkUp), "normal A, active A keep");
    EXPECT_EQ(k.Press(kVkDown), "normal A, active A keep");
}

TEST(Keyboard, ActivationRunsTheHoveredOrFirstChoiceThenDropsKeyReleases) {
    for (unsigned key : {kVkReturn, kVkSpace, kVkExecute}) {
        Keys k;
        k.Add("A", "tavnop");
        k.Add("B", "b.exe");
        EXPECT_EQ(k.Press(key), "run A, drop");
        k.hover = 1;
        k.executeResult = 1;
        EXPECT_EQ(k.Press(key), "run B, drop, close");
    }
}

TEST(Keyboard, EscapeClosesOnlyMenusWithAnExitChoice) {
    Keys k;
    k.Add("A", "a.exe");
    EXPECT_EQ(k.Press(kVkEscape), "");
    k.Add("Quit", "tavexit");
    EXPECT_EQ(k.Press(kVkEscape), "close");
    EXPECT_EQ(k.Press(0x41), ""); // any other key
}

TEST(Keyboard, AMenuWithoutChoicesIgnoresTheKeys) {
    Keys k;
    for (unsigned key : {kVkReturn, kVkSpace, kVkExecute, kVkEscape, kVkUp, kVkDown})
        EXPECT_EQ(k.Press(key), "");
    EXPECT_EQ(k.hover, -1);
}

TEST(Keyboard, OnlyReleasesOfKeysPressedHereCount) {
    KeyPressGate gate;
    EXPECT_FALSE(gate.Released(kVkReturn)); // pressed in a message box, released here
    gate.Pressed(kVkReturn, 0x90000000u); // the system has run for weeks
    EXPECT_TRUE(gate.Released(kVkReturn));
    EXPECT_FALSE(gate.Released(kVkReturn)); // one release per press
    gate.Pressed(kVkDown, 20);
    gate.Pressed(kVkDown, 25); // auto-repeat
    EXPECT_TRUE(gate.Released(kVkDown));
    EXPECT_FALSE(gate.Released(1000));
}

// Presses made while a command ran lose their releases when the queue is cleaned up
// after it; their own messages may still be handled after that. Neither kind may let
// a later release through.
TEST(Keyboard, AClearForgetsPressesMadeBeforeIt) {
    KeyPressGate gate;
    gate.Pressed(kVkReturn, 100);
    gate.Pressed(kVkSpace, 100);
    gate.Clear(200);
    EXPECT_FALSE(gate.Released(kVkReturn));
    EXPECT_FALSE(gate.Released(kVkSpace));
    gate.Pressed(kVkReturn, 150); // made during the command, handled after the clear
    EXPECT_FALSE(gate.Released(kVkReturn));
    gate.Pressed(kVkReturn, 200);
    EXPECT_TRUE(gate.Released(kVkReturn));
    // Across the wrap of the millisecond counter.
    gate.Clear(0xFFFFFFF0u);
    gate.Pressed(kVkReturn, 0xFFFFFFE0u);
    EXPECT_FALSE(gate.Released(kVkReturn));
    gate.Pressed(kVkReturn, 5);
    EXPECT_TRUE(gate.Released(kVkReturn));
}
