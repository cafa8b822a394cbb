#pragma once
#include <cstddef>

// UTF-8 to UTF-16 conversion as the window needs it, free of any platform header.
// Strict: an invalid sequence (overlong form, surrogate, value above U+10FFFF, stray or missing
// continuation byte) fails the conversion. Lenient: each invalid sequence becomes U+FFFD.
// The output is always terminated; capacity counts units including the terminator.
// Returns the number of units written before the terminator, or -1 when invalid (strict) or when
// the text does not fit.
long long Utf8ToWide(const char* bytes, std::size_t length, wchar_t* out, std::size_t capacity, bool strict);

// The number of units the lenient conversion gives for the bytes, without writing them.
std::size_t Utf8ToWideLength(const char* bytes, std::size_t length);

// A NUL-terminated string, strictly; false on failure (out is then empty when capacity > 0).
bool Utf8ToWideStrict(const char* text, wchar_t* out, std::size_t capacity);
