#pragma once
#include <cstddef>

// Copies from (NUL-terminated) into to, cut to capacity - 1 units; to is always terminated when
// capacity is above 0.
void CopyText(wchar_t* to, std::size_t capacity, const wchar_t* from);
