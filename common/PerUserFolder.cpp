#include "common/PerUserFolder.h"

#include <windows.h>

namespace tlv {

namespace {

std::string EnvironmentValue(const char* name) {
    std::string value(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);  // 0 also when the variable is not set
            return value;
        }
        value.resize(length);
    }
}

}  // namespace

std::string PerUserFolder() {
    const std::string appData = EnvironmentValue("APPDATA");
    return appData.empty() ? std::string() : appData + "\\Orbenk\\TLV7\\";
}

}  // namespace tlv
