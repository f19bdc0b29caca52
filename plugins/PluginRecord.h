#pragma once

#include "common/UniqueHandle.h"
#include "plugins/IPluginRecord.h"

#include <string>
#include <utility>

namespace tlv {

// The record a catalogue builds for each plugin it keeps. It never changes once built and owns its icon.
class PluginRecord final : public IPluginRecord {
public:
    struct Values {
        int32_t id = 0;
        bool internal = false;
        bool autostart = false;
        UniqueIcon iconHandle;
        std::string name;
        std::string fullName;
        std::string description;
        std::string libraryPath;
        std::string icon;
        std::string lib;
    };

    explicit PluginRecord(Values values) noexcept : values_(std::move(values)) {}
    PluginRecord(const PluginRecord&) = delete;
    PluginRecord& operator=(const PluginRecord&) = delete;
    ~PluginRecord() = default;

    int32_t Id() const override { return values_.id; }
    const char* LibraryPath() const override { return values_.libraryPath.c_str(); }
    const char* Lib() const override { return values_.lib.c_str(); }
    const char* Name() const override { return values_.name.c_str(); }
    const char* FullName() const override { return values_.fullName.c_str(); }
    const char* Description() const override { return values_.description.c_str(); }
    HICON IconHandle() const override { return values_.iconHandle.Get(); }
    const char* Icon() const override { return values_.icon.c_str(); }
    int32_t IsInternal() const override { return values_.internal ? 1 : 0; }
    int32_t IsAutostart() const override { return values_.autostart ? 1 : 0; }

private:
    Values values_;
};

}  // namespace tlv
