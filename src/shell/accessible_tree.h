#pragma once
#include <cstddef>
#include <cstdint>
#include "ui/screen_elements.h"

// What the accessibility server answers that needs no window: which child a child id names, where a
// navigation step leads, which element lies under a point, and when a change is worth announcing.

// The main window's client object has, in reading order, the elements of the screen and then the
// child controls no element stands for. Child id 0 is the object itself; children count from 1.
enum class ChildKind : std::uint8_t { Self, Element, Control, None };
struct ChildRef {
    ChildKind kind;
    int index; // into the elements or the served controls; 0 for Self and None
};
ChildRef ChildFromId(long childId, int elementCount, int controlCount);
inline long ChildIdOfElement(int index) {
    return index + 1;
}
inline long ChildIdOfControl(int index, int elementCount) {
    return elementCount + index + 1;
}

// First and Last go from the object itself to its children, Next and Previous between children.
enum class ChildStep : std::uint8_t { First, Last, Next, Previous };
// The child id the step reaches from the start, or 0 when there is none.
long StepChild(long start, ChildStep step, int childCount);

// The element painted under a client point: the smallest holding it, -1 when none does.
int ElementAt(const ScreenElements& elements, int x, int y);
// The first element of the role, -1 when there is none.
int FindElement(const ScreenElements& elements, ElementRole role);

// Tells whether a text differs from the one seen last, keeping its length and a hash, not a copy:
// status texts may be long, and nothing is allocated where they change.
class TextChange {
  public:
    bool Update(const wchar_t* text); // true when it differs, or when none was seen yet
    void Forget() { known_ = false; }
    bool Known() const { return known_; }

  private:
    bool known_ = false;
    std::size_t length_ = 0;
    std::uint64_t hash_ = 0;
};

// How a status line change is announced: a plain change politely, an attention message assertively,
// each once; setting the same text in the same manner again is no change.
enum class StatusCue : std::uint8_t { None, Polite, Assertive };
class StatusCues {
  public:
    StatusCue For(const wchar_t* text, bool alert);

  private:
    TextChange text_;
    bool alert_ = false;
};

// A progress bar's value is announced when it changes to a figure while the bar is shown; the value
// it appears with is no change (its appearance is announced by the status line), losing the figure
// is none either (a new launch starts without one), and a bar that goes away is forgotten.
class ValueCues {
  public:
    bool For(bool shown, const wchar_t* value);

  private:
    TextChange value_;
};
