#pragma once

#include <cstdint>
#include <memory_resource>
#include <string>

namespace tlv {

// One named text value of a settings group.
class SettingsEntry {
public:
    // The memory of its texts comes from the store's pool.
    using allocator_type = std::pmr::polymorphic_allocator<char>;

    SettingsEntry(const char* name, const char* value, const allocator_type& allocator = {});
    virtual ~SettingsEntry() = default;

    const char* Name() const noexcept { return name_.c_str(); }
    // Never null: an empty value is an empty text.
    const char* Value() const noexcept { return value_.c_str(); }
    void SetValue(const char* text);
    int32_t ValueAsInt() const noexcept;

private:
    std::pmr::string name_;
    std::pmr::string value_;
};

}  // namespace tlv
