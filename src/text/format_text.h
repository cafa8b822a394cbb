#pragma once
#include <cstddef>
#include <initializer_list>

// Formats into a fixed buffer of capacity units, like swprintf, for the few conversions this
// program's texts use: %ls (a NUL-terminated text; a null pointer is written as nothing), %u and %lu
// (unsigned decimal of unsigned int and unsigned long), %X and %08X (upper-case hexadecimal of an
// unsigned int, the second zero-padded to eight digits) and %% (one percent sign). Any other %
// sequence is copied as it stands. The result is always terminated when capacity is above 0 and is
// cut at capacity - 1 units; the return is false when it was cut.
//
// The C runtime's formatter is not used: its engine (with floating point) is about 30 KiB of code,
// and under Wine every page of the image is resident for the window's whole life.
bool FormatText(wchar_t* out, std::size_t capacity, const wchar_t* pattern, ...);

// Writes the parts one after another into out, the same way, for UTF-8 text: null parts are skipped,
// the result is terminated and cut at capacity - 1 bytes, and the return is false when it was cut.
bool JoinBytes(char* out, std::size_t capacity, std::initializer_list<const char*> parts);
