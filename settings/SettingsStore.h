#pragma once

#include "settings/NamedItemList.h"
#include "settings/SettingsAccess.h"
#include "settings/SettingsGroup.h"
#include "xml/SaxHandler.h"

#include <cstdint>
#include <memory_resource>
#include <string>

namespace tlv {

// The product's settings in memory: ordered groups of ordered, named text values, read from and written
// to one settings file in its XML form (root "settings", one element per group, one per entry, names
// encoded by EncodeElementName) or its text form ("[group]" and "key=value" lines).
//
// The SaxHandler side only serves to read the store's own XML file; the store is owned and destroyed as
// a whole, never through the handler's reference count.
class SettingsStore : public SettingsAccess, public SaxHandler {
public:
    SettingsStore();
    ~SettingsStore() override;

    uint32_t GroupCount() override;
    const char* GroupName(uint32_t index) override;
    void RemoveKey(const char* group, const char* key) override;
    void RemoveGroup(const char* group) override;
    const char* GetString(const char* group, const char* key, const char* defaultValue) override;
    void SetString(const char* group, const char* key, const char* value) override;
    int32_t GetBool(const char* group, const char* key, int32_t defaultValue) override;
    void SetBool(const char* group, const char* key, int32_t value) override;
    int32_t GetIntInRange(const char* group, const char* key, int32_t defaultValue, int32_t minimum,
                          int32_t maximum) override;
    int32_t GetInt(const char* group, const char* key, int32_t defaultValue) override;
    void SetInt(const char* group, const char* key, int32_t value) override;
    int32_t GetBinary(const char* group, const char* key, unsigned char* buffer, uint32_t size) override;
    void SetBinary(const char* group, const char* key, const unsigned char* data, uint32_t size) override;
    double GetDouble(const char* group, const char* key, double defaultValue) override;
    void SetDouble(const char* group, const char* key, double value) override;
    int32_t IsUnloaded() override;

    SettingsGroup* FindGroup(const char* name) const;
    // The matching group, or a new empty one appended at the end.
    SettingsGroup* AddGroup(const char* name);
    // Destroys every group and marks the store as not loaded; the path and the form stay.
    void Reset() noexcept;
    // Nonzero: the XML form; zero: the text form. Used by Save.
    void SetFormat(int32_t asXml) noexcept { asXml_ = asXml; }
    const std::string& Path() const noexcept { return path_; }

    // A name whose second character is ":" is used as it stands. Any other name is placed in the
    // per-user folder, the value of APPDATA followed by \Orbenk\TLV7\. Without a usable APPDATA such a
    // name has no place: the path becomes empty, so that nothing is read or written relative to the
    // current folder.
    void SetPath(const char* name);
    // Empties the store, resolves the name and reads the file in the given form. Whatever can be read
    // stays (nothing, for a missing file); the store counts as loaded either way.
    void Load(const char* name, int32_t asXml);
    // Writes the whole store to its path, in its form, through a new file that replaces the old one in
    // one step. 0, with any existing file left as it was, when the file cannot be written completely.
    // The XML form needs COM initialised on the calling thread.
    int32_t Save();
    int32_t SaveXmlFile();
    int32_t SaveTextFile();
    // Both read what they can into the store (nothing from a missing file, what came before the fault
    // from a broken one) and return 1.
    int32_t ParseXmlFile();
    int32_t ParseTextFile();

protected:
    int OnCharacters(const char* text) override;
    int OnStartElement(const char* name) override;
    int OnEndElement(const char* name) override;

private:
    void ReadTextLine(std::string& line, std::string& currentGroup);

    int32_t asXml_ = 1;
    std::string pendingText_;
    std::string currentGroup_;
    int32_t depth_ = 0;
    int32_t loaded_ = 0;
    // Groups and entries come and go by the hundred thousand in a merge: a pool of the store's own spares
    // the process heap, and is given back as a whole when the store goes.
    std::pmr::unsynchronized_pool_resource memory_;
    NamedItemList<SettingsGroup> groups_{&memory_};
    std::string path_;
};

}  // namespace tlv
