#pragma once

#include "resources/Md5.h"

#include <string>

namespace tlv {

// The content code of a resource file: its MD5 digest with the top bit cleared, read as a little-endian
// number and written as 25 base-36 digits, least significant first.

constexpr size_t kContentCodeLength = 25;
// The file is streamed through one buffer of this size, whatever its size.
constexpr size_t kContentCodeBufferSize = 16384;

std::string ContentCodeOfDigest(const Md5::Digest& digest);

// A file that cannot be opened (missing, a folder, no access) gives the code of no bytes; a read error
// ends the reading, and the code covers the bytes read before it.
std::string ContentCodeOfFile(const std::string& path);

}  // namespace tlv
