#pragma once

#include "settings/SettingsStore.h"

#include <string>

namespace tlv::test {

// A store's groups and entries in order, as "group: key=value, key=value; group: ...".
inline std::string Dump(SettingsStore& store) {
    std::string text;
    for (uint32_t i = 0; i < store.GroupCount(); ++i) {
        const SettingsGroup* group = store.FindGroup(store.GroupName(i));
        text += (i > 0 ? "; " : "") + std::string(group->Name()) + ":";
        for (uint32_t j = 0; j < group->EntryCount(); ++j) {
            const char* key = group->EntryName(j);
            text += std::string(j > 0 ? ", " : " ") + key + "=" + group->FindEntry(key)->Value();
        }
    }
    return text;
}

}  // namespace tlv::test
