#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tlv::test {

// Sets APPDATA (or removes it, for nullopt) for the test's duration and puts the old value back after.
class AppDataScope {
public:
    explicit AppDataScope(const std::optional<std::string>& value) : saved_(Read()) { Set(value); }
    AppDataScope(const AppDataScope&) = delete;
    AppDataScope& operator=(const AppDataScope&) = delete;
    ~AppDataScope() { Set(saved_); }

private:
    static std::optional<std::string> Read() {
        std::vector<char> value(32768);
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetEnvironmentVariableA("APPDATA", value.data(), static_cast<DWORD>(value.size()));
        if (length == 0 && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return std::nullopt;
        }
        return std::string(value.data(), length);
    }

    static void Set(const std::optional<std::string>& value) {
        ::SetEnvironmentVariableA("APPDATA", value ? value->c_str() : nullptr);
    }

    std::optional<std::string> saved_;
};

}  // namespace tlv::test
