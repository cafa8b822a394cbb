// What the accessibility server works out without a window: child ids, navigation steps, the element
// under a point, and which changes are announced.
#include <gtest/gtest.h>
#include "shell/accessible_tree.h"

namespace {

TEST(AccessibleTree, ChildIdsNameTheSelfTheElementsThenTheControls) {
    struct Case {
        long id;
        ChildKind kind;
        int index;
    };
    // Three elements, two controls.
    const Case cases[] = {
        {0, ChildKind::Self, 0},    {1, ChildKind::Element, 0}, {3, ChildKind::Element, 2},
        {4, ChildKind::Control, 0}, {5, ChildKind::Control, 1}, {6, ChildKind::None, 0},
        {-1, ChildKind::None, 0},   {-4, ChildKind::None, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const ChildRef ref = ChildFromId(c.id, 3, 2);
        EXPECT_EQ(ref.kind, c.kind);
        EXPECT_EQ(ref.index, c.index);
    }
    EXPECT_EQ(ChildIdOfElement(2), 3);
    EXPECT_EQ(ChildIdOfControl(1, 3), 5);
    EXPECT_EQ(ChildFromId(1, 0, 0).kind, ChildKind::None);
}

TEST(AccessibleTree, StepsAmongFiveChildren) {
    struct Case {
        long start;
        ChildStep step;
        long reached; // 0: none
    };
    const Case cases[] = {
        {0, ChildStep::First, 1},    {0, ChildStep::Last, 5},     {0, ChildStep::Next, 0},
        {0, ChildStep::Previous, 0}, {1, ChildStep::Next, 2},     {4, ChildStep::Next, 5},
        {5, ChildStep::Next, 0},     {5, ChildStep::Previous, 4}, {1, ChildStep::Previous, 0},
        {3, ChildStep::First, 0},    {3, ChildStep::Last, 0},     {6, ChildStep::Previous, 0},
        {-1, ChildStep::Next, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " step " << static_cast<int>(c.step));
        EXPECT_EQ(StepChild(c.start, c.step, 5), c.reached);
    }
    EXPECT_EQ(StepChild(0, ChildStep::First, 0), 0);
}

ScreenElement Element(ElementRole role, PixelRect rect) {
    ScreenElement e{};
    e.role = role;
    e.name = L"";
    e.value = L"";
    e.description = L"";
    e.rect = rect;
    return e;
}

TEST(AccessibleTree, ThePointFindsTheSmallestElementHoldingIt) {
    static ScreenElements list;
    list.count = 0;
    list.items[list.count++] = Element(ElementRole::Text, {0, 0, 100, 100}); // a wrapped block
    list.items[list.count++] = Element(ElementRole::Text, {10, 10, 30, 20}); // inside it
    list.items[list.count++] = Element(ElementRole::ProgressBar, {0, 200, 50, 210});
    struct Case {
        int x, y, index;
    };
    const Case cases[] = {
        {5, 5, 0},     {10, 10, 1},  {29, 19, 1}, {30, 19, 0}, {0, 200, 2},   {49, 209, 2},
        {50, 205, -1}, {0, 210, -1}, {-1, 0, -1}, {99, 99, 0}, {100, 50, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(ElementAt(list, c.x, c.y), c.index);
    }
    EXPECT_EQ(FindElement(list, ElementRole::ProgressBar), 2);
    EXPECT_EQ(FindElement(list, ElementRole::PageTab), -1);
}

TEST(AccessibleTree, StatusChangesAreAnnouncedOnceEach) {
    struct Step {
        const wchar_t* text;
        bool alert;
        StatusCue cue;
    };
    const Step steps[] = {
        {L"Checking your game files...", false, StatusCue::Polite},
        {L"Checking your game files...", false, StatusCue::None}, // set again: no change
        {L"Compiling the native game: 12 / 340 files", false, StatusCue::Polite},
        {L"Compiling the native game: 12 / 340 files", false, StatusCue::None},
        {L"Compiling the native game: 200 / 340 files", false, StatusCue::Polite},
        {L"Compiling the native game: 201 / 340 files", false, StatusCue::Polite}, // same length
        {L"The game could not start.", true, StatusCue::Assertive},
        {L"The game could not start.", true, StatusCue::None},
        {L"The game could not start.", false, StatusCue::Polite}, // the attention state ended
        {L"", false, StatusCue::Polite},
        {L"", false, StatusCue::None},
    };
    StatusCues cues;
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(s.cue));
        EXPECT_EQ(cues.For(s.text, s.alert), s.cue);
    }
    StatusCues first;
    EXPECT_EQ(first.For(L"Refused.", true), StatusCue::Assertive);
}

TEST(AccessibleTree, ProgressValueChangesWhileTheBarIsShown) {
    struct Step {
        bool shown;
        const wchar_t* value;
        bool announced;
    };
    const Step steps[] = {
        {false, L"", false},   // idle home page: no bar
        {true, L"", false},    // the bar appears without a figure
        {true, L"", false},    // ticks without a change
        {true, L"25%", true},  // the first figure
        {true, L"25%", false}, // the elapsed seconds change, the figure does not
        {true, L"27%", true},
        {true, L"", false},    // the next launch's bar, seen before the last one was seen gone
        {true, L"27%", true},  // its first figure, though equal to the last launch's
        {false, L"", false},   // the launch ended
        {true, L"27%", false}, // a new bar appears: its first value is no change
        {true, L"28%", true},
    };
    ValueCues cues;
    int row = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(row++);
        EXPECT_EQ(cues.For(s.shown, s.value), s.announced);
    }
}

} // namespace
