#include "settings/SettingsValueText.h"

#include "common/AnsiText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tlv {

namespace {

bool IsAsciiSpace(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

const char* SkipSpace(const char* text) noexcept {
    while (IsAsciiSpace(*text)) {
        ++text;
    }
    return text;
}

const char* SkipDigits(const char* text) noexcept {
    while (IsDigit(*text)) {
        ++text;
    }
    return text;
}

int NibbleValue(char c) noexcept {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return static_cast<unsigned char>(c) - 55;
}

void AppendHexByte(std::string& text, unsigned value) {
    static const char kDigits[] = "0123456789ABCDEF";
    text += kDigits[(value >> 4) & 0xF];
    text += kDigits[value & 0xF];
}

void AppendLittleEndian(std::string& text, uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) {
        AppendHexByte(text, (value >> (8 * byte)) & 0xFF);
    }
}

void RemoveTrailingFractionZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos) {
        return;
    }
    while (digits.back() == '0') {
        digits.pop_back();
    }
}

}  // namespace

std::string IntegerText(int32_t value) { return std::to_string(value); }

double ReadDouble(const char* text) {
    const char* start = SkipSpace(TextOrEmpty(text));
    const char* p = start;
    if (*p == '-' || *p == '+') {
        ++p;
    }
    const char* integerEnd = SkipDigits(p);
    bool hasDigits = integerEnd != p;
    p = integerEnd;
    if (*p == '.') {
        const char* fractionEnd = SkipDigits(p + 1);
        hasDigits = hasDigits || fractionEnd != p + 1;
        p = fractionEnd;
    }
    if (!hasDigits) {
        return 0.0;
    }
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '-' || *exponent == '+') {
            ++exponent;
        }
        const char* exponentEnd = SkipDigits(exponent);
        if (exponentEnd != exponent) {
            p = exponentEnd;
        }
    }
    // Only the number itself reaches strtod, which would also take hexadecimal and "inf".
    return std::strtod(std::string(start, p).c_str(), nullptr);
}

std::string DoubleText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    if (value == 0.0) {
        return "0.";
    }
    // Rounding to six significant digits first settles the exponent, also across a power of ten.
    char rounded[64];
    std::snprintf(rounded, sizeof(rounded), "%.5e", std::fabs(value));
    const int exponent = std::atoi(std::strchr(rounded, 'e') + 1);
    const std::string digits = std::string(1, rounded[0]) + std::string(rounded + 2, 5);

    std::string text = value < 0 ? "-" : "";
    std::string number;
    if (exponent >= -1 && exponent <= 5) {
        if (exponent == -1) {
            number = "0.";
            number += digits;
        } else {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            number = digits.substr(0, integerDigits);
            if (integerDigits < digits.size()) {
                number += '.';
                number += digits.substr(integerDigits);
            }
        }
        RemoveTrailingFractionZeros(number);
        return text + number;
    }
    number = digits.substr(0, 1);
    number += '.';
    number += digits.substr(1);
    RemoveTrailingFractionZeros(number);
    char exponentText[16];
    std::snprintf(exponentText, sizeof(exponentText), "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return text + number + exponentText;
}

std::string BinaryText(const unsigned char* data, uint32_t size) {
    uint32_t sum = 0;
    for (uint32_t i = 0; i < size; ++i) {
        sum += data[i];
    }
    std::string text;
    text.reserve(16 + 2 * static_cast<size_t>(size));
    AppendLittleEndian(text, size);
    AppendLittleEndian(text, sum);
    for (uint32_t i = 0; i < size; ++i) {
        AppendHexByte(text, data[i]);
    }
    return text;
}

unsigned char DecodeHexByte(char high, char low) noexcept {
    return static_cast<unsigned char>((NibbleValue(high) << 4) + NibbleValue(low));
}

}  // namespace tlv
