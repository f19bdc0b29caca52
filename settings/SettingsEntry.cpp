#include "settings/SettingsEntry.h"

#include "common/AnsiText.h"
#include "common/AsciiText.h"
#include "settings/SettingsValueText.h"

namespace tlv {

SettingsEntry::SettingsEntry(const char* name, const char* value, const allocator_type& allocator)
    : name_(TextOrEmpty(name), allocator), value_(TextOrEmpty(value), allocator) {}

void SettingsEntry::SetValue(const char* text) { value_ = TextOrEmpty(text); }

int32_t SettingsEntry::ValueAsInt() const noexcept { return ReadDecimal(value_.c_str()); }

}  // namespace tlv
