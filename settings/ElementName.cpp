#include "settings/ElementName.h"

#include "common/AnsiText.h"

namespace tlv {

namespace {

bool IsAsciiLetter(unsigned char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(unsigned char c) noexcept { return c >= '0' && c <= '9'; }

}  // namespace

std::string EncodeElementName(const char* name) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char* p = TextOrEmpty(name); *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (IsAsciiLetter(c) || (IsAsciiDigit(c) && !encoded.empty())) {
            encoded += *p;
        } else {
            encoded += '_';
            encoded += kDigits[c >> 4];
            encoded += kDigits[c & 0xF];
        }
    }
    return encoded;
}

std::string DecodeElementName(const char* elementName) {
    std::string decoded;
    for (const char* p = TextOrEmpty(elementName); *p != '\0'; ++p) {
        if (*p == '_' && p[1] != '\0' && p[2] != '\0') {
            const unsigned high = HexDigitValue(p[1]);
            const unsigned low = HexDigitValue(p[2]);
            if (high < 16 && low < 16) {
                const char byte = static_cast<char>(high * 16 + low);
                if (byte == '\0') {
                    break;
                }
                decoded += byte;
                p += 2;
                continue;
            }
        }
        decoded += *p;
    }
    return decoded;
}

unsigned HexDigitValue(char c) noexcept {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower >= '0' && lower <= '9') {
        return static_cast<unsigned>(lower - '0');
    }
    if (lower >= 'a' && lower <= 'f') {
        return static_cast<unsigned>(lower - 'a' + 10);
    }
    return 255;
}

}  // namespace tlv
