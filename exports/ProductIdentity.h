#pragma once

#include "exports/DisplayTitleBuffer.h"
#include "settings/SettingsStore.h"

#include <cstdint>

namespace tlv {

// The product's identity, from the group "common" of its XML settings file. Every query reloads the
// given store from settingsPath (a full path or a name in the per-user folder) and reads it. Missing
// files, groups and keys give 0 or an empty text; returned texts point into the store (or the title
// buffer) and stay valid until the next query.
class ProductIdentity {
public:
    static int32_t Id(SettingsStore& settings, const char* settingsPath);
    static const char* ShortName(SettingsStore& settings, const char* settingsPath);
    static const char* Version(SettingsStore& settings, const char* settingsPath);
    static const char* FullName(SettingsStore& settings, const char* settingsPath);
    // The full name less a leading "OB " in any letter case.
    static const char* FullNameWithoutBrand(SettingsStore& settings, const char* settingsPath);
    // "Glimmer Shaper 2.0 <edition>" for a name containing Glimmer, "Zentrik 7.0" for one containing
    // Zentrik, else "Talvesta 7.0 <edition>" (the blank stays when there is no edition).
    static const char* DisplayTitle(SettingsStore& settings, DisplayTitleBuffer& title, const char* settingsPath);

private:
    static const char* Common(SettingsStore& settings, const char* settingsPath, const char* key);
};

}  // namespace tlv
