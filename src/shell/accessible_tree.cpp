#include "shell/accessible_tree.h"

ChildRef ChildFromId(long childId, int elementCount, int controlCount) {
    if (childId == 0)
        return {ChildKind::Self, 0};
    if (childId > 0 && childId <= elementCount)
        return {ChildKind::Element, static_cast<int>(childId - 1)};
    if (childId > elementCount && childId <= static_cast<long>(elementCount) + controlCount)
        return {ChildKind::Control, static_cast<int>(childId - elementCount - 1)};
    return {ChildKind::None, 0};
}

long StepChild(long start, ChildStep step, int childCount) {
    if (childCount <= 0 || start < 0 || start > childCount)
        return 0;
    switch (step) {
    case ChildStep::First: return start == 0 ? 1 : 0;
    case ChildStep::Last: return start == 0 ? childCount : 0;
    case ChildStep::Next: return start != 0 && start < childCount ? start + 1 : 0;
    case ChildStep::Previous: return start > 1 ? start - 1 : 0;
    }
    return 0;
}

int ElementAt(const ScreenElements& elements, int x, int y) {
    int found = -1;
    long long foundArea = 0;
    for (int i = 0; i < elements.count; ++i) {
        const PixelRect& r = elements.items[i].rect;
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom)
            continue;
        const long long area = static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        if (found < 0 || area < foundArea) {
            found = i;
            foundArea = area;
        }
    }
    return found;
}

int FindElement(const ScreenElements& elements, ElementRole role) {
    for (int i = 0; i < elements.count; ++i) {
        if (elements.items[i].role == role)
            return i;
    }
    return -1;
}

bool TextChange::Update(const wchar_t* text) {
    // FNV-1a over the UTF-16 units.
    std::uint64_t hash = 14695981039346656037ull;
    std::size_t length = 0;
    for (; text[length] != L'\0'; ++length) {
        hash ^= static_cast<std::uint16_t>(text[length]);
        hash *= 1099511628211ull;
    }
    const bool changed = !known_ || length != length_ || hash != hash_;
    known_ = true;
    length_ = length;
    hash_ = hash;
    return changed;
}

StatusCue StatusCues::For(const wchar_t* text, bool alert) {
    const bool textChanged = text_.Update(text);
    const bool alertChanged = alert != alert_;
    alert_ = alert;
    if (!textChanged && !alertChanged)
        return StatusCue::None;
    return alert ? StatusCue::Assertive : StatusCue::Polite;
}

bool ValueCues::For(bool shown, const wchar_t* value) {
    if (!shown) {
        value_.Forget();
        return false;
    }
    const bool appearing = !value_.Known();
    const bool changed = value_.Update(value);
    // No figure is no news: a bar without one (a new launch's) is remembered, not announced.
    return changed && !appearing && value[0] != L'\0';
}
