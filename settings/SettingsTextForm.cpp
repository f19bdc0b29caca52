#include "settings/SettingsTextForm.h"

namespace tlv {

namespace {

bool IsTrimmed(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One pass from the front: a replacement never forms a new match with its neighbours, so this is the
// same as replacing the first match again and again.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    size_t start = 0;
    for (size_t found = text.find(from); found != std::string::npos; found = text.find(from, start)) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    if (start == 0) {
        return;
    }
    result.append(text, start, std::string::npos);
    text.swap(result);
}

}  // namespace

void TrimSpace(std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsTrimmed(text[end - 1])) {
        --end;
    }
    size_t begin = 0;
    while (begin < end && IsTrimmed(text[begin])) {
        ++begin;
    }
    text = text.substr(begin, end - begin);
}

void EscapeLineBreaks(std::string& text) {
    ReplaceAll(text, "\n", "\\n");
    ReplaceAll(text, "\r", "\\r");
}

void UnescapeLineBreaks(std::string& text) {
    ReplaceAll(text, "\\n", "\n");
    ReplaceAll(text, "\\r", "\r");
}

}  // namespace tlv
