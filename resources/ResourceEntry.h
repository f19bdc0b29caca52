#pragma once

#include "resources/IResourceEntry.h"

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>

namespace tlv {

class ResourceEntry final : public IResourceEntry {
public:
    // The full path is base, one backslash and location, whatever either holds. The texts are kept in
    // memory, which a catalogue points at its own pool.
    ResourceEntry(std::string_view base, const char* idText, std::string_view location, std::string_view settings,
                  std::pmr::memory_resource* memory = std::pmr::get_default_resource());
    ResourceEntry(const ResourceEntry&) = delete;
    ResourceEntry& operator=(const ResourceEntry&) = delete;
    ~ResourceEntry() = default;

    int Id() const override { return id_; }
    const char* Location() const override { return fullPath_.c_str() + locationStart_; }
    const char* FullPath() const override { return fullPath_.c_str(); }
    const char* FileName() const override;
    const char* Extension() const override;
    int FileKind() const override;
    const char* ContentCode() override;
    const char* Settings() const override { return settings_.c_str(); }

    // Reads the file at the full path and keeps its code; a file that cannot be opened counts as empty.
    void ComputeContentCode();

private:
    int32_t id_;
    bool codeReady_ = false;
    std::pmr::string fullPath_;
    size_t locationStart_;  // the location is the full path's tail
    std::pmr::string settings_;
    std::pmr::string contentCode_;
};

}  // namespace tlv
