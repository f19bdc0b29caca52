#pragma once

#include "settings/SettingsAccess.h"

#include <cstdint>

namespace tlv {

// Carries every group of source into target under the name its "name" entry gives ("GROUP" when it has
// none), with exactly two entries: "name" and "path" (empty when missing). A target group of the same
// name (ASCII letter case ignored) is replaced, and the new one goes to the end. Returns the number of
// source groups.
uint32_t MergeSettingsGroups(SettingsAccess& target, SettingsAccess& source);

// Merges the groups of the two XML settings files, the second's winning, into the XML settings file at
// resultPath. Both sources are read completely first, so the result may replace one of them. A missing
// source contributes nothing. False when the result could not be written (any old file stays).
bool MergeSettingsFiles(const char* resultPath, const char* firstPath, const char* secondPath);

}  // namespace tlv
