#pragma once

#include "common/FoldedTextIndex.h"
#include "resources/IResourceCatalog.h"
#include "resources/ResourceEntry.h"
#include "xml/SaxHandler.h"

#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tlv {

// A resource list file in memory. It reads the file itself, as a SAX handler: root "resources", one
// "resource" per entry with the children "id", "location" and "settings" in any order. A document that
// breaks these rules stops being read, and the entries completed before keep.
//
// Entries are indexed by id and by the case-folded text of their location and full path, so that
// lookups, additions and removals cost the same however long the list is. The indexes are built when
// first needed: a list that is only read and walked in order never pays for them.
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
    // An entry with its places in the catalogue: its slot in entries_ and in its id group, and its
    // neighbours among the entries with the same location and the same full path, in insertion order.
    struct Node {
        template <typename... Arguments>
        explicit Node(std::pmr::memory_resource* memory, Arguments&&... arguments)
            : entry(std::forward<Arguments>(arguments)..., memory) {}

        ResourceEntry entry;
        size_t slot = 0;
        size_t groupSlot = 0;
        size_t hash[2] = {0, 0};  // of the location and of the full path, ignoring case
        Node* next[2] = {nullptr, nullptr};
        Node* previous[2] = {nullptr, nullptr};
    };

    // Nodes live in the catalogue's memory pool.
    struct NodeDeleter {
        std::pmr::memory_resource* memory;
        void operator()(Node* node) const noexcept { std::pmr::polymorphic_allocator<>(memory).delete_object(node); }
    };
    using NodePointer = std::unique_ptr<Node, NodeDeleter>;

    // The entries that share one indexed text, oldest first. The first one's text is the chain's key, so
    // a key costs no copy of its own.
    struct Chain {
        Node* first = nullptr;
        Node* last = nullptr;
    };

    // Entries in insertion order; a removal leaves a hole, closed at the next access by index.
    template <typename Pointer>
    struct Sequence {
        explicit Sequence(std::pmr::memory_resource* memory) : slots(memory) {}
        std::pmr::vector<Pointer> slots;
        size_t live = 0;
    };

    enum IndexKind { kByLocation = 0, kByFullPath = 1 };

    void EnsureIndexed();
    void Index(Node* node);
    static std::string_view LocationOf(const Chain& chain);
    static std::string_view FullPathOf(const Chain& chain);
    static std::string_view IndexedText(const Node* node, IndexKind kind);
    void Link(Node* node, IndexKind kind);
    void Unlink(Node* node, IndexKind kind);
    Node* FindNode(std::string_view text);
    Node* NodeOf(const IResourceEntry* entry);
    template <typename... Arguments>
    ResourceEntry* Insert(Arguments&&... arguments);
    // The index-th live member, closing the holes first; slotOf is the node field that keeps positions.
    template <typename Pointer>
    static ResourceEntry* At(Sequence<Pointer>& sequence, size_t Node::*slotOf, int index);
    bool AcceptsChild(const char* name) const;

    // The nodes and indexes take many small blocks, which a pool of the catalogue's own gives and
    // takes back much faster than the process heap. Declared first, so that it goes last.
    std::pmr::unsynchronized_pool_resource memory_;
    std::string folder_;
    Sequence<NodePointer> entries_{&memory_};  // owns every node
    // Groups stay, possibly empty, until Clear. Ids are keyed as unsigned.
    std::pmr::unordered_map<uint32_t, Sequence<Node*>> entriesById_{&memory_};
    FoldedTextIndex<Chain> index_[2] = {FoldedTextIndex<Chain>(LocationOf), FoldedTextIndex<Chain>(FullPathOf)};
    bool indexed_ = false;  // entriesById_ and index_ hold every entry

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
