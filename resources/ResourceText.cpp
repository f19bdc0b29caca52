#include "resources/ResourceText.h"

#include <windows.h>

namespace tlv {

std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
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
