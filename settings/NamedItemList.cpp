#include "settings/NamedItemList.h"

namespace tlv {

size_t FoldedNameHash(std::string_view name) noexcept {
    // FNV-1a over the folded bytes.
    uint64_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
    }
    // The index takes the low bits: fold the high ones in.
    return static_cast<size_t>(hash ^ (hash >> 32));
}

}  // namespace tlv
