#include "common/AsciiText.h"

namespace tlv {

namespace {

bool IsSpace(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

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
