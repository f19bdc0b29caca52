#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tlv {

// Names of settings groups and entries match without regard to the case of the ASCII letters A to Z;
// no other folding is done.
std::string FoldAsciiCase(const char* name);

// The owned, ordered items of a settings store or group, each with a name (Item::Name()) unique under
// ASCII case folding. Order is insertion order; removal keeps the order of the rest. Lookups by name go
// through an index of the folded names and reading by position through a table rebuilt only after a
// removal, so that filling, looking up and replacing items costs constant time per item.
template <typename Item>
class NamedItemList {
public:
    Item* Find(const char* name) const {
        const auto found = byFoldedName_.find(FoldAsciiCase(name));
        return found == byFoldedName_.end() ? nullptr : found->second->get();
    }

    // The caller has made sure that no item of that name is present.
    Item* Append(std::unique_ptr<Item> item) {
        std::string folded = FoldAsciiCase(item->Name());
        items_.push_back(std::move(item));
        const auto position = std::prev(items_.end());
        try {
            byFoldedName_.emplace(std::move(folded), position);
            if (positionsValid_) {
                positions_.push_back(position->get());
            }
        } catch (...) {
            items_.pop_back();
            positionsValid_ = false;
            throw;
        }
        return position->get();
    }

    // Destroys the item of that name; false when there is none.
    bool Remove(const char* name) {
        const auto found = byFoldedName_.find(FoldAsciiCase(name));
        if (found == byFoldedName_.end()) {
            return false;
        }
        const auto position = found->second;
        byFoldedName_.erase(found);
        items_.erase(position);
        positionsValid_ = false;
        return true;
    }

    void Clear() noexcept {
        byFoldedName_.clear();
        positions_.clear();
        items_.clear();
        positionsValid_ = true;
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
            for (const auto& item : items_) {
                positions_.push_back(item.get());
            }
            positionsValid_ = true;
        }
        return positions_[index];
    }

    // Visits the items in order.
    template <typename Visitor>
    void ForEach(Visitor&& visit) const {
        for (const auto& item : items_) {
            visit(*item);
        }
    }

private:
    using Items = std::list<std::unique_ptr<Item>>;

    Items items_;
    std::unordered_map<std::string, typename Items::iterator> byFoldedName_;
    mutable std::vector<Item*> positions_;
    mutable bool positionsValid_ = true;
};

}  // namespace tlv
