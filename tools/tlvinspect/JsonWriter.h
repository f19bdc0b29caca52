#pragma once

#include <string>
#include <vector>

namespace tlv {

// Builds one JSON text. Strings come in as the library's 8-bit ANSI text and go out as escaped UTF-8;
// commas between members and elements are placed by the writer.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(const char* name);
    JsonWriter& String(const char* ansiText);
    JsonWriter& Integer(long long value);
    JsonWriter& Boolean(bool value);

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void AppendQuoted(const std::string& utf8);

    std::string text_;
    // One entry per open object or array: whether it has a member yet.
    std::vector<bool> hasMembers_;
    bool afterKey_ = false;
};

}  // namespace tlv
