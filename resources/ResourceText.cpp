#include "resources/ResourceText.h"

#include <windows.h>

namespace tlv {

namespace {

inline char FoldChar(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        c = FoldChar(c);
    }
    return folded;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldChar(a[i]) != FoldChar(b[i])) {
            return false;
        }
    }
    return true;
}

// FNV-1a over the folded bytes.
size_t IgnoringCaseHash::operator()(std::string_view text) const {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(FoldChar(c))) * 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

int32_t ParseDecimal(const char* text) {
    const char* p = text != nullptr ? text : "";
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10u + static_cast<uint32_t>(*p - '0');
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

size_t FileNameStart(const std::string& path) {
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
