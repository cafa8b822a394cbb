#include "text/copy_text.h"

void CopyText(wchar_t* to, std::size_t capacity, const wchar_t* from) {
    if (capacity == 0)
        return;
    std::size_t i = 0;
    for (; i + 1 < capacity && from[i] != L'\0'; ++i)
        to[i] = from[i];
    to[i] = L'\0';
}
