#include "ui/screen_elements.h"

void ClearScreenElements(ScreenElements& list) {
    list.count = 0;
    list.storeUsed = 0;
}

const wchar_t* StoreText(ScreenElements& list, const wchar_t* text, std::size_t length) {
    if (list.storeUsed >= kElementStoreUnits)
        return L"";
    wchar_t* copy = list.store + list.storeUsed;
    const std::size_t room = kElementStoreUnits - list.storeUsed - 1;
    std::size_t i = 0;
    for (; i < length && i < room && text[i] != L'\0'; ++i)
        copy[i] = text[i];
    copy[i] = L'\0';
    list.storeUsed += i + 1;
    return copy;
}

const wchar_t* StoreText(ScreenElements& list, const wchar_t* text) {
    return StoreText(list, text, kElementStoreUnits);
}

ScreenElement* AppendElement(ScreenElements& list, ElementRole role, const wchar_t* name,
                             const PixelRect& rect) {
    if (list.count >= kMaxScreenElements)
        return nullptr;
    ScreenElement& e = list.items[list.count++];
    e = ScreenElement{role,     name,  L"",  L"", 0u, rect, 0, BodyFont, TextColour::Bright,
                      TextLeft, false, false};
    return &e;
}

ScreenElement* AppendText(ScreenElements& list, const wchar_t* name, const PixelRect& rect, FontRole font,
                          TextColour colour, TextPreset preset) {
    ScreenElement* e = AppendElement(list, ElementRole::Text, name, rect);
    if (e != nullptr) {
        e->font = font;
        e->colour = colour;
        e->preset = preset;
    }
    return e;
}

std::size_t SpaceLetters(const wchar_t* text, wchar_t* out, std::size_t capacity) {
    if (capacity == 0)
        return 0;
    std::size_t length = 0;
    auto put = [&](wchar_t unit) {
        if (length + 1 < capacity)
            out[length++] = unit;
    };
    bool afterLetter = false;
    for (const wchar_t* p = text; *p != L'\0'; ++p) {
        if (*p == L' ') {
            if (afterLetter) {
                put(L' ');
                put(L' ');
                put(L' ');
            }
            afterLetter = false;
            continue;
        }
        if (afterLetter)
            put(L' ');
        put(*p);
        afterLetter = true;
    }
    out[length] = L'\0';
    return length;
}
