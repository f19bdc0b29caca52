#pragma once

#include <windows.h>

#include <cstdint>

namespace tlv {

// One plugin of a plugin list, read-only. Texts are never null and live as long as the record.
// Records are destroyed by their owner, never through this interface.
class IPluginRecord {
public:
    // The plugin's number; never 0.
    virtual int32_t Id() const = 0;
    // The library's path, resolved against the list's folder.
    virtual const char* LibraryPath() const = 0;
    // The "lib" value as read.
    virtual const char* Lib() const = 0;
    virtual const char* Name() const = 0;
    virtual const char* FullName() const = 0;
    virtual const char* Description() const = 0;
    // Null when no icon was loaded.
    virtual HICON IconHandle() const = 0;
    // The "icon" value as read; empty when the plugin had none.
    virtual const char* Icon() const = 0;
    virtual int32_t IsInternal() const = 0;
    virtual int32_t IsAutostart() const = 0;

protected:
    IPluginRecord() = default;
    IPluginRecord(const IPluginRecord&) = default;
    IPluginRecord& operator=(const IPluginRecord&) = default;
    ~IPluginRecord() = default;
};

}  // namespace tlv
