#include "settings/NamedItemList.h"

namespace tlv {

namespace {

char FoldAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool NamesMatch(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

size_t FoldedNameHash(std::string_view name) noexcept {
    // FNV-1a over the folded bytes.
    uint64_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(FoldAscii(c))) * 1099511628211ull;
    }
    // The index takes the low bits: fold the high ones in.
    return static_cast<size_t>(hash ^ (hash >> 32));
}

}  // namespace tlv
