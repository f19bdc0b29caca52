#include "exports/ProductIdentity.h"

#include "common/AsciiText.h"

#include <cstring>
#include <string>

namespace tlv {

namespace {

constexpr char kGroup[] = "common";

void Reload(SettingsStore& settings, const char* settingsPath) { settings.Load(settingsPath, 1); }

constexpr std::string_view kBrandPrefix = "OB ";

bool HasBrandPrefix(const char* text) {
    return EqualsIgnoringAsciiCase(std::string_view(text).substr(0, kBrandPrefix.size()), kBrandPrefix);
}

}  // namespace

int32_t ProductIdentity::Id(SettingsStore& settings, const char* settingsPath) {
    Reload(settings, settingsPath);
    return settings.GetInt(kGroup, "id", 0);
}

const char* ProductIdentity::ShortName(SettingsStore& settings, const char* settingsPath) {
    return Common(settings, settingsPath, "name");
}

const char* ProductIdentity::Version(SettingsStore& settings, const char* settingsPath) {
    return Common(settings, settingsPath, "version");
}

const char* ProductIdentity::FullName(SettingsStore& settings, const char* settingsPath) {
    return Common(settings, settingsPath, "namefull");
}

const char* ProductIdentity::FullNameWithoutBrand(SettingsStore& settings, const char* settingsPath) {
    const char* fullName = FullName(settings, settingsPath);
    return HasBrandPrefix(fullName) ? fullName + kBrandPrefix.size() : fullName;
}

const char* ProductIdentity::DisplayTitle(SettingsStore& settings, DisplayTitleBuffer& title,
                                          const char* settingsPath) {
    const char* name = ShortName(settings, settingsPath);
    const char* edition = settings.GetString(kGroup, "edition", "");
    if (std::strstr(name, "Glimmer") != nullptr) {
        return title.Set(std::string("Glimmer Shaper 2.0 ") + edition);
    }
    if (std::strstr(name, "Zentrik") != nullptr) {
        return title.Set("Zentrik 7.0");
    }
    return title.Set(std::string("Talvesta 7.0 ") + edition);
}

const char* ProductIdentity::Common(SettingsStore& settings, const char* settingsPath, const char* key) {
    Reload(settings, settingsPath);
    return settings.GetString(kGroup, key, "");
}

}  // namespace tlv
