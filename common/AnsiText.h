#pragma once

#include <string>

namespace tlv {

// Texts inside the library are 8-bit in the system's ANSI code page; the XML services speak UTF-16.

// An installer may pass a null pointer where a text is expected: it reads as the empty text.
inline const char* TextOrEmpty(const char* text) noexcept { return text != nullptr ? text : ""; }

std::wstring AnsiToWide(const char* text, size_t length);
std::wstring AnsiToWide(const std::string& text);

// Characters that the ANSI code page cannot represent become its default character.
std::string WideToAnsi(const wchar_t* text, size_t length);

}  // namespace tlv
