#include "common/AnsiText.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace tlv {

namespace {

int CheckedLength(size_t length) {
    if (length > static_cast<size_t>(INT_MAX)) {
        throw std::length_error("text too long for the code-page conversion");
    }
    return static_cast<int>(length);
}

}  // namespace

std::wstring AnsiToWide(const char* text, size_t length) {
    const int units = ::MultiByteToWideChar(CP_ACP, 0, text, CheckedLength(length), nullptr, 0);
    if (units <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), wide.data(), units);
    return wide;
}

std::wstring AnsiToWide(const std::string& text) { return AnsiToWide(text.data(), text.size()); }

std::string WideToAnsi(const wchar_t* text, size_t length) {
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, text, CheckedLength(length), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return {};
    }
    std::string narrow(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), narrow.data(), bytes, nullptr,
                          nullptr);
    return narrow;
}

}  // namespace tlv
