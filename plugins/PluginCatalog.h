#pragma once

#include "plugins/PluginRecord.h"
#include "xml/SaxHandler.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tlv {

// One plugin list in memory. Loading keeps only plugins whose library file exists, resolving relative
// "lib" and "icon" values against the list's folder, and refuses the whole document at its first fault.
class PluginCatalog final : public SaxHandler {
public:
    PluginCatalog() = default;
    ~PluginCatalog() override = default;

    // Replaces the records with those of the list at path. False, with the catalogue empty, when the file
    // cannot be read, is malformed or is refused, or names a library by a path too long for the
    // platform's file functions to check. COM must be initialised on the calling thread.
    bool Load(const char* path);
    void Clear() noexcept;
    uint32_t Count() const noexcept { return static_cast<uint32_t>(records_.size()); }
    // Null when index is not below Count(). The record belongs to the catalogue.
    const IPluginRecord* RecordAt(uint32_t index) const noexcept;

    // A value longer than two characters whose second is ":" stands as it is; any other value is taken
    // relative to the folder of listPath (up to its last separator).
    static std::string ResolvePath(const std::string& listPath, const std::string& value);

protected:
    int OnCharacters(const char* text) override;
    int OnStartElement(const char* name) override;
    int OnEndElement(const char* name) override;

private:
    enum Value { kId, kLib, kName, kFullName, kDescription, kIcon, kInternal, kAutostart, kValueCount };

    // Keeps the plugin read since its start when it is whole and its library exists. 1 refuses the list.
    int CompletePlugin();

    int depth_ = 0;
    std::string text_;
    std::array<std::string, kValueCount> pending_;
    std::string listPath_;
    std::vector<std::unique_ptr<PluginRecord>> records_;
};

}  // namespace tlv
