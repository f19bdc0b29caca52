#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tlv {

// The MD5 message digest, fed in pieces of any size.
class Md5 {
public:
    using Digest = std::array<uint8_t, 16>;

    void Update(const void* data, size_t size);
    // The digest of everything fed so far. The object must not be fed afterwards.
    Digest Finish();

private:
    void ProcessBlocks(const uint8_t* data, size_t blockCount);

    uint32_t state_[4] = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
    uint64_t length_ = 0;  // bytes fed
    uint8_t pending_[64] = {};
    size_t pendingSize_ = 0;
};

}  // namespace tlv
