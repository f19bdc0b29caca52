#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tlv {

// The library's names and paths compare without regard to the case of the ASCII letters A to Z; no
// other letter is folded, whatever the code page.
constexpr char LowerAscii(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;
// Texts that EqualsIgnoringAsciiCase finds equal hash alike.
size_t HashIgnoringAsciiCase(std::string_view text) noexcept;

// The leading decimal number of a text, as the C library's atol reads it: white space skipped, an
// optional sign, digits up to the first other character; 0 without digits (or for a null text).
// Numbers beyond the 32-bit range stop at its ends.
int32_t ReadDecimal(const char* text) noexcept;

}  // namespace tlv
