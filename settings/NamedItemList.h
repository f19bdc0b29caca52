#pragma once

#include "common/AsciiText.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory_resource>
#include <string_view>
#include <utility>
#include <vector>

namespace tlv {

// The owned, ordered items of a settings store or group, each with a name (Item::Name()) that no other
// item matches. Order is insertion order; removal keeps the order of the rest. Short lists are searched
// from the front; longer ones keep a hash index of their folded names, so that filling, looking up and
// replacing items costs constant time per item. Reading by position goes through a table built on first
// use and rebuilt only after a removal.
template <typename Item>
class NamedItemList {
public:
    // Items, their list and their index take their memory from resource.
    explicit NamedItemList(std::pmr::memory_resource* resource = std::pmr::get_default_resource())
        : items_(resource), slots_(resource) {}
    NamedItemList(const NamedItemList&) = delete;
    NamedItemList& operator=(const NamedItemList&) = delete;

    Item* Find(const char* name) const {
        const auto position = Locate(name);
        return position == items_.end() ? nullptr : const_cast<Item*>(&*position);
    }

    // Constructs a new item at the end; the caller has made sure that no item of its name is present.
    template <typename... Arguments>
    Item* Append(Arguments&&... arguments) {
        items_.emplace_back(std::forward<Arguments>(arguments)...);
        const auto position = std::prev(items_.end());
        try {
            if (!slots_.empty()) {
                Index(position);
            } else if (items_.size() > kLinearSearchLimit) {
                RebuildIndex();
            }
        } catch (...) {
            items_.pop_back();
            DropIndex();
            throw;
        }
        // The position table is kept up to date only once someone reads by position.
        if (positionsValid_ && !positions_.empty()) {
            try {
                positions_.push_back(&*position);
            } catch (...) {
                positionsValid_ = false;
            }
        } else {
            positionsValid_ = false;
        }
        return &*position;
    }

    // Destroys the item of that name; false when there is none.
    bool Remove(const char* name) {
        const std::string_view wanted = name != nullptr ? name : "";
        typename Items::iterator position;
        if (!slots_.empty()) {
            const size_t slot = FindSlot(wanted, HashIgnoringAsciiCase(wanted));
            if (slot == kNoSlot) {
                return false;
            }
            position = slots_[slot].position;
            slots_[slot].state = SlotState::Removed;
        } else {
            position = Locate(name);
            if (position == items_.end()) {
                return false;
            }
        }
        items_.erase(position);
        positionsValid_ = false;
        return true;
    }

    void Clear() noexcept {
        DropIndex();
        positions_.clear();
        positionsValid_ = true;
        items_.clear();
    }

    size_t Count() const noexcept { return items_.size(); }

    // Null when index >= Count().
    Item* At(size_t index) const {
        if (index >= items_.size()) {
            return nullptr;
        }
        if (!positionsValid_) {
            positions_.clear();
            positions_.reserve(items_.size());
            for (const Item& item : items_) {
                positions_.push_back(const_cast<Item*>(&item));
            }
            positionsValid_ = true;
        }
        return positions_[index];
    }

    // Visits the items in order.
    template <typename Visitor>
    void ForEach(Visitor&& visit) const {
        for (const Item& item : items_) {
            visit(item);
        }
    }

private:
    using Items = std::pmr::list<Item>;
    static constexpr size_t kLinearSearchLimit = 8;
    static constexpr size_t kNoSlot = static_cast<size_t>(-1);

    // An open-addressing table of the items' positions with their name hashes: a lookup compares
    // hashes first and touches no item until one matches.
    enum class SlotState : unsigned char { Empty, Used, Removed };
    struct Slot {
        size_t hash = 0;
        typename Items::iterator position{};
        SlotState state = SlotState::Empty;
    };

    typename Items::iterator Locate(const char* name) const {
        auto& items = const_cast<Items&>(items_);
        const std::string_view wanted = name != nullptr ? name : "";
        if (!slots_.empty()) {
            const size_t slot = FindSlot(wanted, HashIgnoringAsciiCase(wanted));
            return slot == kNoSlot ? items.end() : slots_[slot].position;
        }
        for (auto position = items.begin(); position != items.end(); ++position) {
            if (EqualsIgnoringAsciiCase(position->Name(), wanted)) {
                return position;
            }
        }
        return items.end();
    }

    size_t FindSlot(std::string_view name, size_t hash) const {
        const size_t mask = slots_.size() - 1;
        for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const Slot& candidate = slots_[slot];
            if (candidate.state == SlotState::Empty) {
                return kNoSlot;
            }
            if (candidate.state == SlotState::Used && candidate.hash == hash &&
                EqualsIgnoringAsciiCase(candidate.position->Name(), name)) {
                return slot;
            }
        }
    }

    void Index(typename Items::iterator position) {
        // At most half of the slots in use (removed ones count), so that every probe meets an empty one.
        if ((usedSlots_ + 1) * 2 > slots_.size()) {
            RebuildIndex();
            return;
        }
        const size_t hash = HashIgnoringAsciiCase(position->Name());
        const size_t mask = slots_.size() - 1;
        size_t slot = hash & mask;
        while (slots_[slot].state == SlotState::Used) {
            slot = (slot + 1) & mask;
        }
        if (slots_[slot].state == SlotState::Empty) {
            ++usedSlots_;
        }
        slots_[slot] = Slot{hash, position, SlotState::Used};
    }

    // Indexes every item anew in a table at most a quarter full.
    void RebuildIndex() {
        size_t size = 16;
        while (size < items_.size() * 4) {
            size *= 2;
        }
        slots_.assign(size, Slot{});
        usedSlots_ = 0;
        for (auto position = items_.begin(); position != items_.end(); ++position) {
            Index(position);
        }
    }

    void DropIndex() noexcept {
        slots_.clear();
        slots_.shrink_to_fit();
        usedSlots_ = 0;
    }

    Items items_;
    // Empty while the list is short enough to be searched from the front.
    std::pmr::vector<Slot> slots_;
    size_t usedSlots_ = 0;
    mutable std::vector<Item*> positions_;
    mutable bool positionsValid_ = true;
};

}  // namespace tlv
