#include "resources/ResourceCatalog.h"

#include "common/AnsiText.h"
#include "resources/ResourceText.h"
#include "xml/XmlDocumentWriter.h"
#include "xml/XmlElements.h"
#include "xml/XmlServices.h"

#include <objbase.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstring>

namespace tlv {

namespace {

// The folder of the running program's file, without a trailing backslash; "" when it cannot be had.
std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t start = FileNameStart(path);
    return start == 0 ? std::string() : path.substr(0, start - 1);
}

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

int ResourceCatalog::Load(const char* path) {
    Clear();
    const std::string given = TextOrEmpty(path);
    std::string file = given;
    const size_t nameStart = FileNameStart(given);
    if (nameStart > 0) {
        folder_ = given.substr(0, nameStart - 1);
    } else {
        folder_ = ProgramFolder();
        file = folder_ + "\\" + given;
    }

    ::CoInitialize(nullptr);  // the thread stays initialised; a repeated call is no failure
    {
        Microsoft::WRL::ComPtr<ISAXXMLReader> reader;
        if (FAILED(XmlServices::CreateSaxReader(reader))) {
            return 0;
        }
    }
    // A document refused halfway through an entry leaves nothing pending for the next one.
    depth_ = 0;
    text_.clear();
    pendingId_.clear();
    pendingLocation_.clear();
    pendingSettings_.clear();
    // A missing, refused or broken document leaves the entries completed so far.
    ParseFile(file.c_str());
    return 1;
}

void ResourceCatalog::Clear() noexcept {
    entriesById_.clear();
    entriesByLocation_.clear();
    entriesByFullPath_.clear();
    entries_.Clear();
}

bool ResourceCatalog::AcceptsChild(const char* name) const {
    const std::string* pending = nullptr;
    if (std::strcmp(name, "id") == 0) {
        pending = &pendingId_;
    } else if (std::strcmp(name, "location") == 0) {
        pending = &pendingLocation_;
    } else if (std::strcmp(name, "settings") == 0) {
        pending = &pendingSettings_;
    }
    // A child that came empty may come again; one with text may not.
    return pending != nullptr && pending->empty();
}

int ResourceCatalog::OnStartElement(const char* name) {
    bool accepted = true;
    if (depth_ == 0) {
        accepted = std::strcmp(name, "resources") == 0;
    } else if (depth_ == 1) {
        accepted = std::strcmp(name, "resource") == 0;
    } else if (depth_ == 2) {
        accepted = AcceptsChild(name);
    }
    if (!accepted) {
        return 1;
    }
    ++depth_;
    text_.clear();
    return 0;
}

int ResourceCatalog::OnCharacters(const char* text) {
    text_ += text;
    return 0;
}

int ResourceCatalog::OnEndElement(const char* name) {
    if (depth_ > 0) {
        --depth_;
    }
    if (depth_ == 2) {
        if (std::strcmp(name, "id") == 0) {
            pendingId_ = text_;
        } else if (std::strcmp(name, "location") == 0) {
            pendingLocation_ = text_;
        } else if (std::strcmp(name, "settings") == 0) {
            pendingSettings_ = text_;
        }
    } else if (depth_ == 1) {
        if (pendingId_.empty() || pendingLocation_.empty()) {
            return 1;
        }
        Insert(std::make_unique<ResourceEntry>(folder_, pendingId_.c_str(), pendingLocation_, pendingSettings_));
        pendingId_.clear();
        pendingLocation_.clear();
        pendingSettings_.clear();
    }
    text_.clear();
    return 0;
}

ResourceEntry* ResourceCatalog::Insert(std::unique_ptr<ResourceEntry> entry) {
    ResourceEntry* added = entry.get();
    // The catalogue owns the entry from here on, whatever the indexes below do.
    entries_.Append(std::move(entry));
    entriesById_[static_cast<uint32_t>(added->Id())].Append(added);
    entriesByLocation_[FoldCase(added->Location())].Append(added);
    entriesByFullPath_[FoldCase(added->FullPath())].Append(added);
    return added;
}

int ResourceCatalog::CountWithId(int id) {
    const auto group = entriesById_.find(static_cast<uint32_t>(id));
    return group == entriesById_.end() ? 0 : static_cast<int>(group->second.Size());
}

int ResourceCatalog::Count() { return static_cast<int>(entries_.Size()); }

IResourceEntry* ResourceCatalog::EntryWithId(int id, int index) {
    const auto group = entriesById_.find(static_cast<uint32_t>(id));
    if (group == entriesById_.end() || index < 0) {
        return nullptr;
    }
    return group->second.At(static_cast<size_t>(index));
}

IResourceEntry* ResourceCatalog::EntryAt(int index) {
    return index < 0 ? nullptr : entries_.At(static_cast<size_t>(index));
}

ResourceEntry* ResourceCatalog::FindEntry(const std::string& text) {
    const std::string key = FoldCase(text);
    // Every entry's location is tried before any full path.
    for (EntriesByText* index : {&entriesByLocation_, &entriesByFullPath_}) {
        const auto found = index->find(key);
        if (found != index->end()) {
            if (ResourceEntry* entry = found->second.First()) {
                return entry;
            }
        }
    }
    return nullptr;
}

IResourceEntry* ResourceCatalog::Find(const char* text) { return FindEntry(TextOrEmpty(text)); }

IResourceEntry* ResourceCatalog::Add(int id, const char* path, const char* settings) {
    const std::string given = TextOrEmpty(path);
    const std::string resolved = IsDriveAbsolute(given) ? given : folder_ + "\\" + given;
    if (ResourceEntry* present = FindEntry(resolved)) {
        return present;
    }
    // Inside the folder means the folder's text, a backslash and a name: D:\ListsOld is not inside D:\Lists.
    const size_t folderLength = folder_.size();
    if (resolved.size() <= folderLength + 1 || resolved[folderLength] != '\\' ||
        FoldCase(resolved.substr(0, folderLength)) != FoldCase(folder_)) {
        return nullptr;
    }
    return Insert(std::make_unique<ResourceEntry>(resolved.substr(0, folderLength), std::to_string(id).c_str(),
                                                  resolved.substr(folderLength + 1), TextOrEmpty(settings)));
}

IResourceEntry* ResourceCatalog::AddUserResource(int id, const char* path, const char* settings) {
    const std::string appData = EnvironmentValue("APPDATA");
    if (appData.empty()) {
        return nullptr;
    }
    const std::string userFolder = appData + "\\Orbenk\\TLV7\\";
    const std::string given = TextOrEmpty(path);
    const std::string resolved = IsDriveAbsolute(given) ? given : userFolder + given;
    if (ResourceEntry* present = FindEntry(resolved)) {
        return present;
    }
    const std::string location = given.substr(FileNameStart(given));
    // An entry without a location would end the reading of any list it is saved to.
    if (location.empty()) {
        return nullptr;
    }
    return Insert(std::make_unique<ResourceEntry>(userFolder + "Voices", std::to_string(id).c_str(), location,
                                                  TextOrEmpty(settings)));
}

void ResourceCatalog::Unindex(EntriesByText& index, const std::string& text, const ResourceEntry* entry) {
    const auto found = index.find(FoldCase(text));
    if (found == index.end()) {
        return;
    }
    found->second.Take(entry);
    if (found->second.Size() == 0) {
        index.erase(found);
    }
}

void ResourceCatalog::Remove(IResourceEntry* entry) {
    // Only entries of this catalogue are destroyed: anything else belongs to someone else.
    const auto* resource = dynamic_cast<const ResourceEntry*>(entry);
    const std::unique_ptr<ResourceEntry> removed = entries_.Take(resource);
    if (!removed) {
        return;
    }
    const auto group = entriesById_.find(static_cast<uint32_t>(removed->Id()));
    if (group != entriesById_.end()) {
        group->second.Take(resource);
    }
    Unindex(entriesByLocation_, removed->Location(), resource);
    Unindex(entriesByFullPath_, removed->FullPath(), resource);
}

int ResourceCatalog::Save(const char* path) {
    return XmlDocumentWriter::Write(path, [this](ISAXContentHandler* handler) {
        WriteStartElement(handler, "resources");
        for (int index = 0; index < Count(); ++index) {
            const IResourceEntry* entry = EntryAt(index);
            WriteStartElement(handler, "resource");
            WriteTextElement(handler, "id", std::to_string(entry->Id()).c_str());
            WriteTextElement(handler, "location", entry->Location());
            // Written also when empty, so that every entry has its three children.
            WriteTextElement(handler, "settings", entry->Settings());
            WriteEndElement(handler, "resource");
        }
        WriteEndElement(handler, "resources");
    }) ? 1 : 0;
}

void ResourceCatalogCloser::operator()(IResourceCatalog* catalog) const noexcept { CloseResourceCatalog(catalog); }

IResourceCatalog* OpenResourceCatalog(const char* path) noexcept {
    try {
        auto catalog = std::make_unique<ResourceCatalog>();
        catalog->Load(path);
        return catalog.release();
    } catch (...) {
        return nullptr;
    }
}

void CloseResourceCatalog(IResourceCatalog* catalog) noexcept {
    auto* resources = static_cast<ResourceCatalog*>(catalog);
    if (resources != nullptr) {
        resources->Clear();
        delete resources;
    }
}

}  // namespace tlv
