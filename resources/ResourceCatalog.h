#pragma once

#include "resources/EntrySequence.h"
#include "resources/IResourceCatalog.h"
#include "resources/ResourceEntry.h"
#include "xml/SaxHandler.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace tlv {

// A resource list file in memory. It reads the file itself, as a SAX handler: root "resources", one
// "resource" per entry with the children "id", "location" and "settings" in any order. A document that
// breaks these rules stops being read, and the entries completed before keep.
//
// Entries are indexed by id and by the case-folded text of their location and full path, so that
// lookups, additions and removals cost the same however long the list is.
class ResourceCatalog final : public IResourceCatalog, public SaxHandler {
public:
    ResourceCatalog() = default;
    ~ResourceCatalog() override = default;

    // Reads the list at path, replacing the entries. A path without a backslash names a file in the
    // running program's folder. 1 when the list was handed to the XML reader, whatever it held (a
    // missing or broken file gives fewer or no entries); 0 when the reader cannot be created.
    int Load(const char* path);
    void Clear() noexcept;
    // The folder of the list that was read, without a trailing backslash: the base of its locations.
    const std::string& Folder() const noexcept { return folder_; }

    int CountWithId(int id) override;
    int Count() override;
    IResourceEntry* EntryWithId(int id, int index) override;
    IResourceEntry* EntryAt(int index) override;
    IResourceEntry* Find(const char* text) override;
    IResourceEntry* Add(int id, const char* path, const char* settings) override;
    IResourceEntry* AddUserResource(int id, const char* path, const char* settings) override;
    void Remove(IResourceEntry* entry) override;
    int Save(const char* path) override;

protected:
    int OnCharacters(const char* text) override;
    int OnStartElement(const char* name) override;
    int OnEndElement(const char* name) override;

private:
    using EntryGroup = EntrySequence<ResourceEntry*>;
    using EntriesByText = std::unordered_map<std::string, EntryGroup>;

    ResourceEntry* FindEntry(const std::string& text);
    ResourceEntry* Insert(std::unique_ptr<ResourceEntry> entry);
    static void Unindex(EntriesByText& index, const std::string& text, const ResourceEntry* entry);
    bool AcceptsChild(const char* name) const;

    std::string folder_;
    EntrySequence<std::unique_ptr<ResourceEntry>> entries_;
    // Groups stay, possibly empty, until Clear. Ids compare as unsigned.
    std::map<uint32_t, EntryGroup> entriesById_;
    EntriesByText entriesByLocation_;
    EntriesByText entriesByFullPath_;

    // Reading state.
    int depth_ = 0;
    std::string text_;
    std::string pendingId_;
    std::string pendingLocation_;
    std::string pendingSettings_;
};

struct ResourceCatalogCloser {
    void operator()(IResourceCatalog* catalog) const noexcept;
};
using UniqueResourceCatalog = std::unique_ptr<IResourceCatalog, ResourceCatalogCloser>;

// A new catalogue holding what could be read from the list at path; null only when memory runs out.
IResourceCatalog* OpenResourceCatalog(const char* path) noexcept;
// Destroys a catalogue that OpenResourceCatalog made, with its entries.
void CloseResourceCatalog(IResourceCatalog* catalog) noexcept;

}  // namespace tlv
