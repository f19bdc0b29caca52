#include "settings/SettingsEntry.h"

#include "common/AnsiText.h"
#include "settings/SettingsValueText.h"

namespace tlv {

SettingsEntry::SettingsEntry(const char* name, const char* value)
    : name_(TextOrEmpty(name)), value_(TextOrEmpty(value)) {}

void SettingsEntry::SetValue(const char* text) { value_ = TextOrEmpty(text); }

int32_t SettingsEntry::ValueAsInt() const noexcept { return ReadInteger(value_.c_str()); }

}  // namespace tlv
