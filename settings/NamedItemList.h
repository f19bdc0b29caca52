#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory_resource>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tlv {

// Names of settings groups and entries match without regard to the case of the ASCII letters A to Z;
// no other folding is done.
bool NamesMatch(std::string_view a, std::string_view b) noexcept;
size_t FoldedNameHash(std::string_view name) noexcept;

// The owned, ordered items of a settings store or group, each with a name (Item::Name()) that no other
// item matches. Order is insertion order; removal keeps the order of the rest. Short lists are searched
// from the front; longer ones keep an index of their names, so that filling, looking up and replacing
// items costs constant time per item. Reading by position goes through a table built on first use and
// rebuilt only after a removal.
template <typename Item>
class NamedItemList {
public:
    // Items, their list and their index take their memory from resource.
    explicit NamedItemList(std::pmr::memory_resource* resource = std::pmr::get_default_resource())
        : items_(resource), index_(resource) {}
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
            if (indexed_) {
                index_.emplace(position->Name(), position);
            } else if (items_.size() > kLinearSearchLimit) {
                BuildIndex();
            }
            // The position table is kept up to date only once someone reads by position.
            if (positionsValid_ && !positions_.empty()) {
                positions_.push_back(&*position);
            } else {
                positionsValid_ = false;
            }
        } catch (...) {
            index_.erase(position->Name());
            items_.pop_back();
            positionsValid_ = false;
            throw;
        }
        return &*position;
    }

    // Destroys the item of that name; false when there is none.
    bool Remove(const char* name) {
        const auto position = Locate(name);
        if (position == items_.end()) {
            return false;
        }
        if (indexed_) {
            index_.erase(position->Name());
        }
        items_.erase(position);
        positionsValid_ = false;
        return true;
    }

    void Clear() noexcept {
        index_.clear();
        indexed_ = false;
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

    struct Hash {
        size_t operator()(std::string_view name) const noexcept { return FoldedNameHash(name); }
    };
    struct Equal {
        bool operator()(std::string_view a, std::string_view b) const noexcept { return NamesMatch(a, b); }
    };

    typename Items::const_iterator Locate(const char* name) const {
        const std::string_view wanted = name != nullptr ? name : "";
        if (indexed_) {
            const auto found = index_.find(wanted);
            return found == index_.end() ? items_.end() : typename Items::const_iterator(found->second);
        }
        for (auto position = items_.begin(); position != items_.end(); ++position) {
            if (NamesMatch(position->Name(), wanted)) {
                return position;
            }
        }
        return items_.end();
    }

    void BuildIndex() {
        index_.reserve(items_.size() * 2);
        for (auto position = items_.begin(); position != items_.end(); ++position) {
            index_.emplace(position->Name(), position);
        }
        indexed_ = true;
    }

    Items items_;
    // Keys view the items' own names, which never change while the item lives.
    std::pmr::unordered_map<std::string_view, typename Items::iterator, Hash, Equal> index_;
    bool indexed_ = false;
    mutable std::vector<Item*> positions_;
    mutable bool positionsValid_ = true;
};

}  // namespace tlv
