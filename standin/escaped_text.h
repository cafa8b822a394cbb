#pragma once
#include <string>
#include <string_view>

// The escaped text of scenario files and records: "\\", "\n", "\r", "\t" and "\xHH" each stand for
// one byte; every other byte stands for itself, including a backslash that starts none of these.
namespace standin {

std::string UnescapeText(std::string_view text);

// Appends text with backslash, line feed, carriage return, tab and every other control byte escaped;
// bytes from 0x80 up (UTF-8 sequences) are kept as they are.
void AppendEscaped(std::string& out, std::string_view text);

} // namespace standin
