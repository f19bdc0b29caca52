#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tlv {

// Text rules shared by the resource list's entries and catalogue.

// The position just after the path's last backslash, 0 when it has none. The path is walked by the
// characters of the ANSI code page, so that the trail byte of a double-byte character is no separator.
size_t FileNameStart(std::string_view path);

// A path that names its place by itself: a drive letter path such as C:\x (longer than two characters,
// ':' second), or one that starts with a backslash (a network path \\server\share\x, an extended-length
// path, or a path from the current drive's root). Joining such a path to a folder would name nowhere.
bool IsAbsolutePath(const std::string& path);

}  // namespace tlv
