#include "common/AsciiText.h"

#include <cstring>

namespace tlv {

namespace {

bool IsSpace(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Eight bytes at once with ASCII capitals made small; other bytes, those beyond ASCII included, stay.
uint64_t FoldWord(uint64_t word) noexcept {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    const uint64_t low7 = word & ~kHighBits;
    const uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;
    const uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kOnes;
    const uint64_t capitals = atLeastA & ~aboveZ & ~word & kHighBits;
    return word | (capitals >> 2);
}

uint64_t Mix(uint64_t hash, uint64_t word) noexcept {
    hash = (hash ^ word) * 0x9e3779b97f4a7c15ull;
    return hash ^ (hash >> 29);
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Folds and mixes the text eight bytes at a time: paths are long, and every lookup hashes one.
size_t HashIgnoringAsciiCase(std::string_view text) noexcept {
    uint64_t hash = text.size();
    size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        hash = Mix(hash, FoldWord(word));
    }
    uint64_t tail = 0;
    if (at < text.size()) {
        std::memcpy(&tail, text.data() + at, text.size() - at);
    }
    return static_cast<size_t>(Mix(hash, FoldWord(tail)));
}

int32_t ReadDecimal(const char* text) noexcept {
    const char* p = text != nullptr ? text : "";
    while (IsSpace(*p)) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    for (; IsDigit(*p); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value);
}

}  // namespace tlv
