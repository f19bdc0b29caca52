#pragma once

#include "resources/ResourceText.h"

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace tlv {

// From a text, compared without regard to ASCII case, to the chain of nodes that hold it, oldest first.
// The chain's first node supplies the key, so a key costs no copy of its own. One open-addressing array
// of hashes and chains: a lookup touches one slot and one text, where a node-based table touches four
// places, and a large catalogue's lookups are paced by such touches. The caller hashes each text once
// (with HashIgnoringAsciiCase) and hands the hash to every call.
template <typename Node>
class TextIndex {
public:
    struct Chain {
        Node* first;
        Node* last;
    };
    using TextOf = std::string_view (*)(const Node* node);

    explicit TextIndex(TextOf textOf) : textOf_(textOf) {}

    void Clear() noexcept {
        slots_.clear();
        count_ = 0;
    }

    void Reserve(size_t count) {
        if ((count + 1) * 2 > slots_.size()) {
            Rehash(count);
        }
    }

    // The chain holding text; null when there is none. Valid until the next change to the index.
    Chain* Find(std::string_view text, size_t hash) {
        if (slots_.empty()) {
            return nullptr;
        }
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots_[at];
            if (slot.chain.first == nullptr) {
                return nullptr;
            }
            if (slot.hash == hash && EqualsIgnoringAsciiCase(textOf_(slot.chain.first), text)) {
                return &slot.chain;
            }
        }
    }

    // The chain holding node's text, and whether it was created for node (then it holds node alone).
    std::pair<Chain*, bool> Emplace(Node* node, size_t hash) {
        if (Chain* present = Find(textOf_(node), hash)) {
            return {present, false};
        }
        Reserve(count_ + 1);
        const size_t mask = slots_.size() - 1;
        size_t at = hash & mask;
        while (slots_[at].chain.first != nullptr) {
            at = (at + 1) & mask;
        }
        slots_[at] = Slot{Chain{node, node}, hash};
        ++count_;
        return {&slots_[at].chain, true};
    }

    // Removes a chain that Find or Emplace gave. Later members of its run move back, so that every
    // lookup still meets them before an empty slot.
    void Erase(Chain* chain) noexcept {
        const size_t mask = slots_.size() - 1;
        size_t hole = static_cast<size_t>(reinterpret_cast<Slot*>(chain) - slots_.data());
        for (size_t at = (hole + 1) & mask; slots_[at].chain.first != nullptr; at = (at + 1) & mask) {
            const size_t home = slots_[at].hash & mask;
            const bool staysPut = hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
            if (!staysPut) {
                slots_[hole] = slots_[at];
                hole = at;
            }
        }
        slots_[hole] = Slot{};
        --count_;
    }

private:
    // The chain comes first, so that a chain's address is its slot's.
    struct Slot {
        Chain chain = {nullptr, nullptr};  // empty slot when first is null
        size_t hash = 0;
    };

    // Room for count chains at most half full; the size stays a power of two.
    void Rehash(size_t count) {
        size_t size = 16;
        while (size < (count + 1) * 2) {
            size *= 2;
        }
        std::vector<Slot> old(size);
        old.swap(slots_);
        const size_t mask = size - 1;
        for (const Slot& slot : old) {
            if (slot.chain.first != nullptr) {
                size_t at = slot.hash & mask;
                while (slots_[at].chain.first != nullptr) {
                    at = (at + 1) & mask;
                }
                slots_[at] = slot;
            }
        }
    }

    TextOf textOf_;
    std::vector<Slot> slots_;
    size_t count_ = 0;
};

}  // namespace tlv
