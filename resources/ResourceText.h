#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tlv {

// Text rules shared by the resource list's entries and catalogue.

// The text with ASCII capitals made small.
std::string FoldCase(const std::string& text);

// Paths compare without regard to the case of ASCII letters; texts that compare equal hash alike.
bool EqualIgnoringCase(std::string_view a, std::string_view b) noexcept;
struct IgnoringCaseHash {
    size_t operator()(std::string_view text) const noexcept;
};

// The decimal value of an id text: leading white space, an optional sign, digits up to the first other
// character; no digits give 0. Values beyond 32 bits wrap around.
int32_t ParseDecimal(const char* text);

// The position just after the path's last backslash, 0 when it has none. The path is walked by the
// characters of the ANSI code page, so that the trail byte of a double-byte character is no separator.
size_t FileNameStart(std::string_view path);

// A drive letter path such as C:\x (longer than two characters, ':' second).
bool IsDriveAbsolute(const std::string& path);

}  // namespace tlv
