#pragma once

#include <cstdint>

namespace tlv {

// The typed access to a settings store that every user calls. Group and key names match without regard
// to the case of the ASCII letters; lookups take the first match. Values are kept as text: the typed
// operations convert on the way in and out. Operations defined through others call them through this
// interface, so that an override is honoured.
class SettingsAccess {
public:
    virtual uint32_t GroupCount() = 0;
    // Null when index >= GroupCount().
    virtual const char* GroupName(uint32_t index) = 0;
    virtual void RemoveKey(const char* group, const char* key) = 0;
    virtual void RemoveGroup(const char* group) = 0;
    // The value, or defaultValue as given (null included) when the group or the key is missing. The
    // text stays valid until the entry is replaced or removed, or the store is reset.
    virtual const char* GetString(const char* group, const char* key, const char* defaultValue) = 0;
    virtual void SetString(const char* group, const char* key, const char* value) = 0;
    virtual int32_t GetBool(const char* group, const char* key, int32_t defaultValue) = 0;
    // Stores the integer as given, not normalised to 0 or 1.
    virtual void SetBool(const char* group, const char* key, int32_t value) = 0;
    // The default, unchanged, when the entry is missing or its value lies outside [minimum, maximum].
    virtual int32_t GetIntInRange(const char* group, const char* key, int32_t defaultValue, int32_t minimum,
                                  int32_t maximum) = 0;
    virtual int32_t GetInt(const char* group, const char* key, int32_t defaultValue) = 0;
    virtual void SetInt(const char* group, const char* key, int32_t value) = 0;
    // 1 when the stored block has exactly size bytes and its checksum matches; on a checksum mismatch the
    // buffer holds the decoded bytes all the same, on a size mismatch it is not touched.
    virtual int32_t GetBinary(const char* group, const char* key, unsigned char* buffer, uint32_t size) = 0;
    virtual void SetBinary(const char* group, const char* key, const unsigned char* data, uint32_t size) = 0;
    virtual double GetDouble(const char* group, const char* key, double defaultValue) = 0;
    virtual void SetDouble(const char* group, const char* key, double value) = 0;
    // 1 until the store has been loaded from a file (whether or not the file could be read).
    virtual int32_t IsUnloaded() = 0;
};

}  // namespace tlv
