#include "settings/page_texts.h"
#include <cwchar>
#include "settings/catalogue.h"

const wchar_t* TabHint(int tab) {
    switch (tab) {
    case GraphicsTab: return L"Movies keep their original timing. FPS changes apply on launch.";
    case DisplayTab: return L"Window resolution is used in windowed mode.";
    case AdvancedTab: return L"The optional HD pack builds on Play and may take hours.";
    case LanguageTab: return L"Presets keep the selected language.";
    case ControlsTab: return L"Edit and save your controller's primary and secondary inputs.";
    case BuildTab: return L"Setup reports peak committed memory in the launch log.";
    case LocationsTab: return L"Select existing files. Nothing is moved or copied.";
    default: return L"";
    }
}

const wchar_t* TabFooter(int tab) {
    if (tab == LocationsTab)
        return L"The selected game's saves and settings will be used.";
    if (tab == BuildTab)
        return L"Build choices apply when setup next runs.";
    return L"Graphics and language are also available in the in-game F1 menu.";
}

const wchar_t* TabNote(int tab) {
    if (tab == LanguageTab)
        return L"Versions keep separate saves.\nJapanese voices and music stay unchanged.";
    if (tab == BuildTab) {
        return L"Compiler jobs are a maximum. The memory cap applies to Windows build processes. "
               L"HD processing also uses GPU memory.";
    }
    return nullptr;
}

int PlanControlsSummary(wchar_t* work, SummaryItem (&items)[kSummaryMaxItems]) {
    int count = 0;
    int y = 247;
    wchar_t* line = work;
    for (int i = 0; i < kSummaryMaxLines && *line != L'\0'; ++i) {
        wchar_t* lineFeed = std::wcschr(line, L'\n');
        if (lineFeed != nullptr)
            *lineFeed = L'\0';
        wchar_t* pair = std::wcsstr(line, L"  ");
        if (pair != nullptr) {
            *pair = L'\0';
            wchar_t* value = pair + 2;
            while (*value == L' ')
                ++value;
            items[count++] = {line, y, y + 25, SummaryColumn::Name, BodyFont, TextLeft, TextColour::Muted};
            items[count++] = {
                value, y, y + 25, SummaryColumn::Value, BodyFont, TextRight, TextColour::Bright};
            y += 25;
        } else if (*line != L'\0') {
            const bool heading = i == 0;
            items[count++] = {line,
                              y,
                              y + 18,
                              SummaryColumn::Full,
                              CaptionFont,
                              TextLeft,
                              heading ? TextColour::Gold : TextColour::Muted};
            y += heading ? 23 : 16;
        } else {
            y += 6;
        }
        if (lineFeed == nullptr)
            break;
        line = lineFeed + 1;
    }
    return count;
}
