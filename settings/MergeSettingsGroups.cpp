#include "settings/MergeSettingsGroups.h"

#include "settings/SettingsStore.h"

#include <string>

namespace tlv {

uint32_t MergeSettingsGroups(SettingsAccess& target, SettingsAccess& source) {
    const uint32_t count = source.GroupCount();
    for (uint32_t i = 0; i < count; ++i) {
        const char* group = source.GroupName(i);
        const char* name = source.GetString(group, "name", "GROUP");
        const char* path = source.GetString(group, "path", "");
        // The texts belong to the source: when it is the target itself, the changes below would pull
        // them away, so they are copied first.
        std::string nameCopy;
        std::string pathCopy;
        if (&target == &source) {
            nameCopy = name;
            pathCopy = path;
            name = nameCopy.c_str();
            path = pathCopy.c_str();
        }
        target.RemoveGroup(name);
        target.SetString(name, "name", name);
        target.SetString(name, "path", path);
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
