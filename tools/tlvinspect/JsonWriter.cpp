#include "tools/tlvinspect/JsonWriter.h"

#include "common/AnsiText.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace tlv {

namespace {

std::string AnsiToUtf8(const char* text) {
    const char* ansi = TextOrEmpty(text);
    const std::wstring wide = AnsiToWide(ansi, std::strlen(ansi));
    if (wide.empty()) {
        return {};
    }
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                            nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), bytes, nullptr,
                          nullptr);
    return utf8;
}

}  // namespace

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    hasMembers_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    hasMembers_.pop_back();
    text_ += '}';
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    hasMembers_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    hasMembers_.pop_back();
    text_ += ']';
    return *this;
}

JsonWriter& JsonWriter::Key(const char* name) {
    BeforeValue();
    AppendQuoted(AnsiToUtf8(name));
    text_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(const char* ansiText) {
    BeforeValue();
    AppendQuoted(AnsiToUtf8(ansiText));
    return *this;
}

JsonWriter& JsonWriter::Integer(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Boolean(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMembers_.empty()) {
        if (hasMembers_.back()) {
            text_ += ", ";
        }
        hasMembers_.back() = true;
    }
}

void JsonWriter::AppendQuoted(const std::string& utf8) {
    text_ += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"': text_ += "\\\""; break;
        case '\\': text_ += "\\\\"; break;
        case '\n': text_ += "\\n"; break;
        case '\r': text_ += "\\r"; break;
        case '\t': text_ += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned>(c));
                text_ += escaped;
            } else {
                text_ += c;
            }
        }
    }
    text_ += '"';
}

}  // namespace tlv
