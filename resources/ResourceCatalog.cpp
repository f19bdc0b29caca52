#include "resources/ResourceCatalog.h"

#include "common/AnsiText.h"
#include "common/AsciiText.h"
#include "common/PerUserFolder.h"
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
    index_[kByLocation].Clear();
    index_[kByFullPath].Clear();
    entriesById_.clear();
    entries_.slots.clear();
    entries_.live = 0;
    indexed_ = false;
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
        Insert(folder_, pendingId_.c_str(), pendingLocation_, pendingSettings_);
        pendingId_.clear();
        pendingLocation_.clear();
        pendingSettings_.clear();
    }
    text_.clear();
    return 0;
}

template <typename... Arguments>
ResourceEntry* ResourceCatalog::Insert(Arguments&&... arguments) {
    std::pmr::polymorphic_allocator<> allocator(&memory_);
    NodePointer owned(allocator.new_object<Node>(&memory_, std::forward<Arguments>(arguments)...), NodeDeleter{&memory_});
    Node* node = owned.get();
    // The catalogue owns the node from here on, whatever the indexes below do.
    node->slot = entries_.slots.size();
    entries_.slots.push_back(std::move(owned));
    ++entries_.live;
    if (indexed_) {
        try {
            Index(node);
        } catch (...) {
            indexed_ = false;  // the next lookup indexes every entry afresh
            throw;
        }
    }
    return &node->entry;
}

void ResourceCatalog::EnsureIndexed() {
    if (indexed_) {
        return;
    }
    // Starts from empty indexes, so that a build cut short by a failure can be run again.
    entriesById_.clear();
    for (FoldedTextIndex<Chain>& index : index_) {
        index.Clear();
        index.Reserve(entries_.live);
    }
    for (const NodePointer& node : entries_.slots) {
        if (node != nullptr) {
            node->next[kByLocation] = node->next[kByFullPath] = nullptr;
            node->previous[kByLocation] = node->previous[kByFullPath] = nullptr;
            Index(node.get());
        }
    }
    indexed_ = true;
}

void ResourceCatalog::Index(Node* node) {
    Sequence<Node*>& group = entriesById_.try_emplace(static_cast<uint32_t>(node->entry.Id()), &memory_).first->second;
    node->groupSlot = group.slots.size();
    group.slots.push_back(node);
    ++group.live;
    node->hash[kByLocation] = HashIgnoringAsciiCase(IndexedText(node, kByLocation));
    node->hash[kByFullPath] = HashIgnoringAsciiCase(IndexedText(node, kByFullPath));
    Link(node, kByLocation);
    Link(node, kByFullPath);
}

std::string_view ResourceCatalog::LocationOf(const Chain& chain) { return chain.first->entry.Location(); }

std::string_view ResourceCatalog::FullPathOf(const Chain& chain) { return chain.first->entry.FullPath(); }

std::string_view ResourceCatalog::IndexedText(const Node* node, IndexKind kind) {
    return kind == kByLocation ? node->entry.Location() : node->entry.FullPath();
}

void ResourceCatalog::Link(Node* node, IndexKind kind) {
    const auto [chain, added] = index_[kind].Emplace(Chain{node, node}, node->hash[kind]);
    if (!added) {
        chain->last->next[kind] = node;
        node->previous[kind] = chain->last;
        chain->last = node;
    }
}

void ResourceCatalog::Unlink(Node* node, IndexKind kind) {
    Node* const previous = node->previous[kind];
    Node* const next = node->next[kind];
    if (previous != nullptr) {
        previous->next[kind] = next;
    }
    if (next != nullptr) {
        next->previous[kind] = previous;
    }
    node->previous[kind] = node->next[kind] = nullptr;
    auto* chain = index_[kind].Find(IndexedText(node, kind), node->hash[kind]);
    if (chain == nullptr) {
        return;
    }
    if (chain->last == node) {
        chain->last = previous;
    }
    if (chain->first == node) {
        // The next node, whose text compares equal, keys the chain from now on.
        chain->first = next;
        if (next == nullptr) {
            index_[kind].Erase(chain);
        }
    }
}

ResourceCatalog::Node* ResourceCatalog::FindNode(std::string_view text) {
    const size_t hash = HashIgnoringAsciiCase(text);
    // Every entry's location is tried before any full path.
    for (FoldedTextIndex<Chain>& index : index_) {
        if (const auto* chain = index.Find(text, hash)) {
            return chain->first;
        }
    }
    return nullptr;
}

ResourceCatalog::Node* ResourceCatalog::NodeOf(const IResourceEntry* entry) {
    if (entry == nullptr) {
        return nullptr;
    }
    const std::string_view fullPath = entry->FullPath();
    const auto* chain = index_[kByFullPath].Find(fullPath, HashIgnoringAsciiCase(fullPath));
    for (Node* node = chain != nullptr ? chain->first : nullptr; node != nullptr; node = node->next[kByFullPath]) {
        if (&node->entry == entry) {
            return node;
        }
    }
    return nullptr;
}

template <typename Pointer>
ResourceEntry* ResourceCatalog::At(Sequence<Pointer>& sequence, size_t Node::*slotOf, int index) {
    if (index < 0 || static_cast<size_t>(index) >= sequence.live) {
        return nullptr;
    }
    std::pmr::vector<Pointer>& slots = sequence.slots;
    if (slots.size() != sequence.live) {
        size_t kept = 0;
        for (size_t slot = 0; slot < slots.size(); ++slot) {
            if (slots[slot] != nullptr) {
                if (kept != slot) {
                    slots[kept] = std::move(slots[slot]);
                }
                std::to_address(slots[kept])->*slotOf = kept;
                ++kept;
            }
        }
        slots.resize(kept);
    }
    return &std::to_address(slots[static_cast<size_t>(index)])->entry;
}

int ResourceCatalog::CountWithId(int id) {
    EnsureIndexed();
    const auto group = entriesById_.find(static_cast<uint32_t>(id));
    return group == entriesById_.end() ? 0 : static_cast<int>(group->second.live);
}

int ResourceCatalog::Count() { return static_cast<int>(entries_.live); }

IResourceEntry* ResourceCatalog::EntryWithId(int id, int index) {
    EnsureIndexed();
    const auto group = entriesById_.find(static_cast<uint32_t>(id));
    return group == entriesById_.end() ? nullptr : At(group->second, &Node::groupSlot, index);
}

IResourceEntry* ResourceCatalog::EntryAt(int index) { return At(entries_, &Node::slot, index); }

IResourceEntry* ResourceCatalog::Find(const char* text) {
    EnsureIndexed();
    Node* node = FindNode(TextOrEmpty(text));
    return node != nullptr ? &node->entry : nullptr;
}

IResourceEntry* ResourceCatalog::Add(int id, const char* path, const char* settings) {
    const std::string given = TextOrEmpty(path);
    const std::string resolved = IsAbsolutePath(given) ? given : folder_ + "\\" + given;
    EnsureIndexed();
    if (Node* present = FindNode(resolved)) {
        return &present->entry;
    }
    // Inside the folder means the folder's text, a backslash and a name: D:\ListsOld is not inside D:\Lists.
    const std::string_view inside = resolved;
    const size_t folderLength = folder_.size();
    if (inside.size() <= folderLength + 1 || inside[folderLength] != '\\' ||
        !EqualsIgnoringAsciiCase(inside.substr(0, folderLength), folder_)) {
        return nullptr;
    }
    return Insert(inside.substr(0, folderLength), std::to_string(id).c_str(), inside.substr(folderLength + 1),
                  TextOrEmpty(settings));
}

IResourceEntry* ResourceCatalog::AddUserResource(int id, const char* path, const char* settings) {
    const std::string userFolder = PerUserFolder();
    if (userFolder.empty()) {
        return nullptr;
    }
    const std::string given = TextOrEmpty(path);
    const std::string resolved = IsAbsolutePath(given) ? given : userFolder + given;
    EnsureIndexed();
    if (Node* present = FindNode(resolved)) {
        return &present->entry;
    }
    const std::string location = given.substr(FileNameStart(given));
    // An entry without a location would end the reading of any list it is saved to.
    if (location.empty()) {
        return nullptr;
    }
    return Insert(userFolder + "Voices", std::to_string(id).c_str(), location, TextOrEmpty(settings));
}

void ResourceCatalog::Remove(IResourceEntry* entry) {
    // Only entries of this catalogue are destroyed: anything else belongs to someone else.
    EnsureIndexed();
    Node* node = NodeOf(entry);
    if (node == nullptr) {
        return;
    }
    Unlink(node, kByLocation);
    Unlink(node, kByFullPath);
    const auto group = entriesById_.find(static_cast<uint32_t>(node->entry.Id()));
    if (group != entriesById_.end()) {
        group->second.slots[node->groupSlot] = nullptr;
        --group->second.live;
    }
    const NodePointer removed = std::move(entries_.slots[node->slot]);
    --entries_.live;
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
