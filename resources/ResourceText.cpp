#include "resources/ResourceText.h"

#include <windows.h>

#include <cstring>

namespace tlv {

std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        c = LowerAscii(c);
    }
    return folded;
}

namespace {

// Eight bytes at once with ASCII capitals made small; other bytes, those beyond ASCII included, stay.
inline uint64_t FoldWord(uint64_t word) noexcept {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    const uint64_t low7 = word & ~kHighBits;
    const uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;
    const uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kOnes;
    const uint64_t capitals = atLeastA & ~aboveZ & ~word & kHighBits;
    return word | (capitals >> 2);
}

inline uint64_t Mix(uint64_t hash, uint64_t word) noexcept {
    hash = (hash ^ word) * 0x9e3779b97f4a7c15ull;
    return hash ^ (hash >> 29);
}

}  // namespace

// Folds and mixes the text eight bytes at a time: paths are long, and every lookup hashes one.
size_t IgnoringCaseHash::operator()(std::string_view text) const noexcept {
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

size_t FileNameStart(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\') {
            start = i + 1;
        } else if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
        }
    }
    return start;
}

bool IsDriveAbsolute(const std::string& path) { return path.size() > 2 && path[1] == ':'; }

}  // namespace tlv
