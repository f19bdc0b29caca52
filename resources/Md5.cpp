#include "resources/Md5.h"

#include <cstring>

namespace tlv {

namespace {

inline uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline uint32_t LoadLittleEndian(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The four round functions, each in the form that needs the fewest operations.
inline uint32_t F(uint32_t x, uint32_t y, uint32_t z) { return z ^ (x & (y ^ z)); }
inline uint32_t G(uint32_t x, uint32_t y, uint32_t z) { return y ^ (z & (x ^ y)); }
inline uint32_t H(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
inline uint32_t I(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

}  // namespace

// The 64 steps are written out: a loop over tables of shifts and constants is markedly slower.
#define TLV_MD5_STEP(f, a, b, c, d, k, s, t) a = b + RotateLeft(a + f(b, c, d) + x[k] + t, s)

void Md5::ProcessBlocks(const uint8_t* data, size_t blockCount) {
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (; blockCount > 0; --blockCount, data += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i) {
            x[i] = LoadLittleEndian(data + 4 * i);
        }
        const uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

        TLV_MD5_STEP(F, a, b, c, d, 0, 7, 0xd76aa478u);
        TLV_MD5_STEP(F, d, a, b, c, 1, 12, 0xe8c7b756u);
        TLV_MD5_STEP(F, c, d, a, b, 2, 17, 0x242070dbu);
        TLV_MD5_STEP(F, b, c, d, a, 3, 22, 0xc1bdceeeu);
        TLV_MD5_STEP(F, a, b, c, d, 4, 7, 0xf57c0fafu);
        TLV_MD5_STEP(F, d, a, b, c, 5, 12, 0x4787c62au);
        TLV_MD5_STEP(F, c, d, a, b, 6, 17, 0xa8304613u);
        TLV_MD5_STEP(F, b, c, d, a, 7, 22, 0xfd469501u);
        TLV_MD5_STEP(F, a, b, c, d, 8, 7, 0x698098d8u);
        TLV_MD5_STEP(F, d, a, b, c, 9, 12, 0x8b44f7afu);
        TLV_MD5_STEP(F, c, d, a, b, 10, 17, 0xffff5bb1u);
        TLV_MD5_STEP(F, b, c, d, a, 11, 22, 0x895cd7beu);
        TLV_MD5_STEP(F, a, b, c, d, 12, 7, 0x6b901122u);
        TLV_MD5_STEP(F, d, a, b, c, 13, 12, 0xfd987193u);
        TLV_MD5_STEP(F, c, d, a, b, 14, 17, 0xa679438eu);
        TLV_MD5_STEP(F, b, c, d, a, 15, 22, 0x49b40821u);

        TLV_MD5_STEP(G, a, b, c, d, 1, 5, 0xf61e2562u);
        TLV_MD5_STEP(G, d, a, b, c, 6, 9, 0xc040b340u);
        TLV_MD5_STEP(G, c, d, a, b, 11, 14, 0x265e5a51u);
        TLV_MD5_STEP(G, b, c, d, a, 0, 20, 0xe9b6c7aau);
        TLV_MD5_STEP(G, a, b, c, d, 5, 5, 0xd62f105du);
        TLV_MD5_STEP(G, d, a, b, c, 10, 9, 0x02441453u);
        TLV_MD5_STEP(G, c, d, a, b, 15, 14, 0xd8a1e681u);
        TLV_MD5_STEP(G, b, c, d, a, 4, 20, 0xe7d3fbc8u);
        TLV_MD5_STEP(G, a, b, c, d, 9, 5, 0x21e1cde6u);
        TLV_MD5_STEP(G, d, a, b, c, 14, 9, 0xc33707d6u);
        TLV_MD5_STEP(G, c, d, a, b, 3, 14, 0xf4d50d87u);
        TLV_MD5_STEP(G, b, c, d, a, 8, 20, 0x455a14edu);
        TLV_MD5_STEP(G, a, b, c, d, 13, 5, 0xa9e3e905u);
        TLV_MD5_STEP(G, d, a, b, c, 2, 9, 0xfcefa3f8u);
        TLV_MD5_STEP(G, c, d, a, b, 7, 14, 0x676f02d9u);
        TLV_MD5_STEP(G, b, c, d, a, 12, 20, 0x8d2a4c8au);

        TLV_MD5_STEP(H, a, b, c, d, 5, 4, 0xfffa3942u);
        TLV_MD5_STEP(H, d, a, b, c, 8, 11, 0x8771f681u);
        TLV_MD5_STEP(H, c, d, a, b, 11, 16, 0x6d9d6122u);
        TLV_MD5_STEP(H, b, c, d, a, 14, 23, 0xfde5380cu);
        TLV_MD5_STEP(H, a, b, c, d, 1, 4, 0xa4beea44u);
        TLV_MD5_STEP(H, d, a, b, c, 4, 11, 0x4bdecfa9u);
        TLV_MD5_STEP(H, c, d, a, b, 7, 16, 0xf6bb4b60u);
        TLV_MD5_STEP(H, b, c, d, a, 10, 23, 0xbebfbc70u);
        TLV_MD5_STEP(H, a, b, c, d, 13, 4, 0x289b7ec6u);
        TLV_MD5_STEP(H, d, a, b, c, 0, 11, 0xeaa127fau);
        TLV_MD5_STEP(H, c, d, a, b, 3, 16, 0xd4ef3085u);
        TLV_MD5_STEP(H, b, c, d, a, 6, 23, 0x04881d05u);
        TLV_MD5_STEP(H, a, b, c, d, 9, 4, 0xd9d4d039u);
        TLV_MD5_STEP(H, d, a, b, c, 12, 11, 0xe6db99e5u);
        TLV_MD5_STEP(H, c, d, a, b, 15, 16, 0x1fa27cf8u);
        TLV_MD5_STEP(H, b, c, d, a, 2, 23, 0xc4ac5665u);

        TLV_MD5_STEP(I, a, b, c, d, 0, 6, 0xf4292244u);
        TLV_MD5_STEP(I, d, a, b, c, 7, 10, 0x432aff97u);
        TLV_MD5_STEP(I, c, d, a, b, 14, 15, 0xab9423a7u);
        TLV_MD5_STEP(I, b, c, d, a, 5, 21, 0xfc93a039u);
        TLV_MD5_STEP(I, a, b, c, d, 12, 6, 0x655b59c3u);
        TLV_MD5_STEP(I, d, a, b, c, 3, 10, 0x8f0ccc92u);
        TLV_MD5_STEP(I, c, d, a, b, 10, 15, 0xffeff47du);
        TLV_MD5_STEP(I, b, c, d, a, 1, 21, 0x85845dd1u);
        TLV_MD5_STEP(I, a, b, c, d, 8, 6, 0x6fa87e4fu);
        TLV_MD5_STEP(I, d, a, b, c, 15, 10, 0xfe2ce6e0u);
        TLV_MD5_STEP(I, c, d, a, b, 6, 15, 0xa3014314u);
        TLV_MD5_STEP(I, b, c, d, a, 13, 21, 0x4e0811a1u);
        TLV_MD5_STEP(I, a, b, c, d, 4, 6, 0xf7537e82u);
        TLV_MD5_STEP(I, d, a, b, c, 11, 10, 0xbd3af235u);
        TLV_MD5_STEP(I, c, d, a, b, 2, 15, 0x2ad7d2bbu);
        TLV_MD5_STEP(I, b, c, d, a, 9, 21, 0xeb86d391u);

        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    state_[0] = a;
    state_[1] = b;
    state_[2] = c;
    state_[3] = d;
}

#undef TLV_MD5_STEP

void Md5::Update(const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    length_ += size;
    if (pendingSize_ > 0) {
        const size_t take = size < 64 - pendingSize_ ? size : 64 - pendingSize_;
        std::memcpy(pending_ + pendingSize_, bytes, take);
        pendingSize_ += take;
        bytes += take;
        size -= take;
        if (pendingSize_ < 64) {
            return;
        }
        ProcessBlocks(pending_, 1);
        pendingSize_ = 0;
    }
    ProcessBlocks(bytes, size / 64);
    bytes += size / 64 * 64;
    size %= 64;
    std::memcpy(pending_, bytes, size);
    pendingSize_ = size;
}

Md5::Digest Md5::Finish() {
    const uint64_t bitLength = length_ * 8;
    uint8_t padding[72] = {0x80};
    const size_t paddingSize = (pendingSize_ < 56 ? 56 : 120) - pendingSize_;
    Update(padding, paddingSize);
    uint8_t lengthBytes[8];
    for (int i = 0; i < 8; ++i) {
        lengthBytes[i] = static_cast<uint8_t>(bitLength >> (8 * i));
    }
    Update(lengthBytes, sizeof(lengthBytes));
    Digest digest;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            digest[4 * i + j] = static_cast<uint8_t>(state_[i] >> (8 * j));
        }
    }
    return digest;
}

}  // namespace tlv
