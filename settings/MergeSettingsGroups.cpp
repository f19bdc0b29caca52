#include "settings/MergeSettingsGroups.h"

#include "settings/SettingsStore.h"

#include <string>

namespace tlv {

uint32_t MergeSettingsGroups(SettingsAccess& target, SettingsAccess& source) {
    const uint32_t count = source.GroupCount();
    for (uint32_t i = 0; i < count; ++i) {
        const char* group = source.GroupName(i);
        // Copies: the texts belong to the source, which may be the target itself.
        const std::string name = source.GetString(group, "name", "GROUP");
        const std::string path = source.GetString(group, "path", "");
        target.RemoveGroup(name.c_str());
        target.SetString(name.c_str(), "name", name.c_str());
        target.SetString(name.c_str(), "path", path.c_str());
    }
    return count;
}

bool MergeSettingsFiles(const char* resultPath, const char* firstPath, const char* secondPath) {
    SettingsStore result;
    result.SetFormat(1);
    {
        SettingsStore first;
        SettingsStore second;
        first.Load(firstPath, 1);
        second.Load(secondPath, 1);
        MergeSettingsGroups(result, first);
        MergeSettingsGroups(result, second);
    }
    result.SetPath(resultPath);
    return result.Save() != 0;
}

}  // namespace tlv
