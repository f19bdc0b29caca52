#include "settings/SettingsGroup.h"

#include "common/AnsiText.h"

namespace tlv {

SettingsGroup::SettingsGroup(const char* name, const allocator_type& allocator)
    : entries_(allocator.resource()), name_(TextOrEmpty(name), allocator) {}

SettingsEntry* SettingsGroup::FindEntry(const char* name) const { return entries_.Find(name); }

SettingsEntry* SettingsGroup::AddEntry(const char* name) {
    if (SettingsEntry* entry = FindEntry(name)) {
        return entry;
    }
    return entries_.Append(name, "");
}

void SettingsGroup::RemoveEntry(const char* name) { entries_.Remove(name); }

uint32_t SettingsGroup::EntryCount() const noexcept { return static_cast<uint32_t>(entries_.Count()); }

const char* SettingsGroup::EntryName(uint32_t index) const {
    const SettingsEntry* entry = entries_.At(index);
    return entry != nullptr ? entry->Name() : nullptr;
}

}  // namespace tlv
