#pragma once

#include "settings/NamedItemList.h"
#include "settings/SettingsEntry.h"

#include <cstdint>
#include <memory_resource>
#include <string>

namespace tlv {

// A named, ordered set of settings entries. An entry keeps the spelling of its first insertion and its
// position when its value is replaced.
class SettingsGroup {
public:
    // The memory of the group and its entries comes from the store's pool.
    using allocator_type = std::pmr::polymorphic_allocator<char>;

    explicit SettingsGroup(const char* name, const allocator_type& allocator = {});
    SettingsGroup(const SettingsGroup&) = delete;
    SettingsGroup& operator=(const SettingsGroup&) = delete;
    virtual ~SettingsGroup() = default;

    const char* Name() const noexcept { return name_.c_str(); }
    // The entry whose name matches without regard to ASCII letter case, or null.
    SettingsEntry* FindEntry(const char* name) const;
    // The matching entry, or a new one with an empty value appended at the end.
    SettingsEntry* AddEntry(const char* name);
    void RemoveEntry(const char* name);
    uint32_t EntryCount() const noexcept;
    // Null when index >= EntryCount().
    const char* EntryName(uint32_t index) const;

    template <typename Visitor>
    void ForEachEntry(Visitor&& visit) const {
        entries_.ForEach(visit);
    }

private:
    NamedItemList<SettingsEntry> entries_;
    std::pmr::string name_;
};

}  // namespace tlv
