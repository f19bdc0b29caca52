#pragma once

#include "common/AsciiText.h"

#include <climits>
#include <cstddef>
#include <memory_resource>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace tlv {

// From a text, compared without regard to ASCII case (EqualsIgnoringAsciiCase), to the one entry that
// holds it. Each entry supplies its own text (textOf), so a key costs no copy of its own. One
// open-addressing array of hashes and entries: a lookup compares hashes and touches no entry's text
// until one matches, where a node-based table touches several places. The caller hashes each text once
// (with HashIgnoringAsciiCase) and hands the hash to every call.
template <typename Entry>
class FoldedTextIndex {
public:
    using TextOf = std::string_view (*)(const Entry& entry);

    // The table takes its memory from resource.
    explicit FoldedTextIndex(TextOf textOf, std::pmr::memory_resource* resource = std::pmr::get_default_resource())
        : textOf_(textOf), slots_(resource) {}

    size_t Count() const noexcept { return count_; }

    void Clear() noexcept {
        slots_.clear();
        count_ = 0;
    }

    void Reserve(size_t count) {
        if ((count + 1) * 2 > slots_.size()) {
            Rehash(count);
        }
    }

    // The entry holding text; null when there is none. Valid until the next change to the index.
    Entry* Find(std::string_view text, size_t hash) {
        if (slots_.empty()) {
            return nullptr;
        }
        const size_t mark = Mark(hash);
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots_[at];
            if (slot.mark == 0) {
                return nullptr;
            }
            if (slot.mark == mark && EqualsIgnoringAsciiCase(textOf_(slot.entry), text)) {
                return &slot.entry;
            }
        }
    }
    const Entry* Find(std::string_view text, size_t hash) const {
        return const_cast<FoldedTextIndex*>(this)->Find(text, hash);
    }

    // The entry holding entry's text, and whether it is entry itself, added now. hash is that of its text.
    std::pair<Entry*, bool> Emplace(const Entry& entry, size_t hash) {
        if (Entry* present = Find(textOf_(entry), hash)) {
            return {present, false};
        }
        Reserve(count_ + 1);
        Slot& slot = slots_[FreeSlot(hash)];
        slot = Slot{entry, Mark(hash)};
        ++count_;
        return {&slot.entry, true};
    }

    // Removes an entry that Find or Emplace gave. Later members of its run move back, so that every
    // lookup still meets them before an empty slot.
    void Erase(Entry* entry) noexcept {
        const size_t mask = slots_.size() - 1;
        size_t hole = static_cast<size_t>(reinterpret_cast<Slot*>(entry) - slots_.data());
        for (size_t at = (hole + 1) & mask; slots_[at].mark != 0; at = (at + 1) & mask) {
            const size_t home = slots_[at].mark & mask;
            const bool staysPut = hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
            if (!staysPut) {
                slots_[hole] = std::move(slots_[at]);
                hole = at;
            }
        }
        slots_[hole] = Slot{};
        --count_;
    }

private:
    // A slot is free while its mark is 0; a used one holds its text's hash with the top bit set, which
    // no table size reaches, so the low bits still give the slot's home.
    static constexpr size_t kUsedBit = size_t{1} << (sizeof(size_t) * CHAR_BIT - 1);
    static size_t Mark(size_t hash) noexcept { return hash | kUsedBit; }

    // The entry comes first, so that an entry's address is its slot's.
    struct Slot {
        Entry entry{};
        size_t mark = 0;
    };
    static_assert(std::is_standard_layout_v<Slot>);

    size_t FreeSlot(size_t hash) const noexcept {
        const size_t mask = slots_.size() - 1;
        size_t at = hash & mask;
        while (slots_[at].mark != 0) {
            at = (at + 1) & mask;
        }
        return at;
    }

    // Room for count entries at most half full; the size stays a power of two.
    void Rehash(size_t count) {
        size_t size = 16;
        while (size < (count + 1) * 2) {
            size *= 2;
        }
        std::pmr::vector<Slot> old(size, slots_.get_allocator());
        old.swap(slots_);
        for (Slot& slot : old) {
            if (slot.mark != 0) {
                slots_[FreeSlot(slot.mark)] = std::move(slot);
            }
        }
    }

    TextOf textOf_;
    std::pmr::vector<Slot> slots_;
    size_t count_ = 0;
};

}  // namespace tlv
