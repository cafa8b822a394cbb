#pragma once
#include <cstdint>
#include "ui/theme.h"

// The one-line hint under the content of a tab.
const wchar_t* TabHint(int tab);
// The footer note at the bottom of the page for a tab.
const wchar_t* TabFooter(int tab);
// The note drawn under the rows of the Language and Build tabs; null for the others.
const wchar_t* TabNote(int tab);

inline constexpr int kSummaryMaxLines = 7;
inline constexpr int kSummaryMaxItems = 2 * kSummaryMaxLines;

// Where a text of the controls summary goes across the content column.
enum class SummaryColumn {
    Name,  // left half, after a small inset
    Value, // right half, right aligned, before a small inset
    Full,  // the whole column, less the insets
};

struct SummaryItem {
    const wchar_t* text; // points into the working copy
    int top, bottom;     // canvas units (0..560)
    SummaryColumn column;
    FontRole role;
    TextPreset preset;
    TextColour colour;
};

// Lays out the controls summary from its working copy, which it cuts into lines in place:
// at most seven lines, split at LF only; a line with two blanks in a row is a name and a value;
// a single-column first line is a gold heading. Returns the number of items.
int PlanControlsSummary(wchar_t* work, SummaryItem (&items)[kSummaryMaxItems]);
