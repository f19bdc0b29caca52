#pragma once

#include <cstdint>
#include <string>

namespace tlv {

// One named text value of a settings group.
class SettingsEntry {
public:
    SettingsEntry(const char* name, const char* value);
    virtual ~SettingsEntry() = default;

    const char* Name() const noexcept { return name_.c_str(); }
    // Never null: an empty value is an empty text.
    const char* Value() const noexcept { return value_.c_str(); }
    void SetValue(const char* text);
    int32_t ValueAsInt() const noexcept;

private:
    std::string name_;
    std::string value_;
};

}  // namespace tlv
