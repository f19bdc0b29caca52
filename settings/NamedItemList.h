#pragma once

#include "common/AsciiText.h"
#include "common/FoldedTextIndex.h"

#include <cstddef>
#include <list>
#include <memory_resource>
#include <string_view>
#include <utility>
#include <vector>

namespace tlv {

// The owned, ordered items of a settings store or group, each with a name (Item::Name()) that no other
// item matches without regard to ASCII letter case. Order is insertion order; removal keeps the order of
// the rest. Short lists are searched from the front; longer ones keep an index of their names, so that
// filling, looking up and replacing items costs constant time per item. Reading by position goes through
// a table built on first use and rebuilt only after a removal.
template <typename Item>
class NamedItemList {
public:
    // Items, their list and their index take their memory from resource.
    explicit NamedItemList(std::pmr::memory_resource* resource = std::pmr::get_default_resource())
        : items_(resource), index_(NameOf, resource) {}
    NamedItemList(const NamedItemList&) = delete;
    NamedItemList& operator=(const NamedItemList&) = delete;

    Item* Find(const char* name) const {
        const auto position = Locate(name != nullptr ? name : "");
        return position == items_.end() ? nullptr : const_cast<Item*>(&*position);
    }

    // Constructs a new item at the end; the caller has made sure that no item of its name is present.
    template <typename... Arguments>
    Item* Append(Arguments&&... arguments) {
        items_.emplace_back(std::forward<Arguments>(arguments)...);
        const auto position = std::prev(items_.end());
        try {
            if (Indexed()) {
                index_.Emplace(position, HashIgnoringAsciiCase(NameOf(position)));
            } else if (items_.size() > kLinearSearchLimit) {
                BuildIndex();
            }
        } catch (...) {
            items_.pop_back();
            index_.Clear();
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
        typename Items::iterator position = items_.end();
        if (Indexed()) {
            if (Position* indexed = index_.Find(wanted, HashIgnoringAsciiCase(wanted))) {
                position = *indexed;
                index_.Erase(indexed);
            }
        } else {
            position = Locate(wanted);
        }
        if (position == items_.end()) {
            return false;
        }
        items_.erase(position);
        positionsValid_ = false;
        return true;
    }

    void Clear() noexcept {
        index_.Clear();
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
    using Position = typename Items::iterator;
    static constexpr size_t kLinearSearchLimit = 8;

    static std::string_view NameOf(const Position& position) { return position->Name(); }

    // The index holds every item, or none while the list is short enough to be searched from the front.
    bool Indexed() const noexcept { return index_.Count() != 0; }

    typename Items::iterator Locate(std::string_view name) const {
        auto& items = const_cast<Items&>(items_);
        if (Indexed()) {
            const Position* position = index_.Find(name, HashIgnoringAsciiCase(name));
            return position != nullptr ? *position : items.end();
        }
        for (auto position = items.begin(); position != items.end(); ++position) {
            if (EqualsIgnoringAsciiCase(position->Name(), name)) {
                return position;
            }
        }
        return items.end();
    }

    void BuildIndex() {
        index_.Reserve(items_.size());
        for (auto position = items_.begin(); position != items_.end(); ++position) {
            index_.Emplace(position, HashIgnoringAsciiCase(NameOf(position)));
        }
    }

    Items items_;
    FoldedTextIndex<Position> index_;
    mutable std::vector<Item*> positions_;
    mutable bool positionsValid_ = true;
};

}  // namespace tlv
