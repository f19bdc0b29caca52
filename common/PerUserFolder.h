#pragma once

#include <string>

namespace tlv {

// The product's per-user folder: the value of APPDATA followed by \Orbenk\TLV7\, ending in a backslash.
// Empty when APPDATA is not set or empty: then there is no such folder, and nothing may be read or
// written relative to the current folder in its place. APPDATA may be of any length.
std::string PerUserFolder();

}  // namespace tlv
